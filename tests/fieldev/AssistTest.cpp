#include <gtest/gtest.h>

#include "CaseName.h"
#include "FieldFixture.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;

constexpr double Priest = 0.25;  // Int(Rnd * 2) = 0
constexpr double Cart = 0.75;    // Int(Rnd * 2) = 1
constexpr double LeftEndOnly = 0.25;
constexpr double EitherEnd = 0.75;

TEST_F(FieldTest, ThePriestHealsForTenKarimAPoint) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().MyMaxHp = 35;
    g().MyNowHp = 20;
    g().MyGold = 1000;
    Draws({Priest});
    Field().AssistSelect();
    EXPECT_EQ(Bar(), "司祭：傷ついているようですね。150カリムご寄付いただければ、回復して差し上げますよ");
    EXPECT_EQ(g().VisitorSprite, 67);
    EXPECT_EQ(g().EventName, "Sisai");
    Click();
    EXPECT_EQ(Bar(), "[回復してもらう(Y/G)] [やめておく(N)]");
    Key(vbKeyG);
    EXPECT_EQ(Bar(), "司祭：我が神ガイアよ。この者に癒しの力を！癒合(ゆごう)の雫！");
    EXPECT_EQ(g().MyNowHp, 35);
    EXPECT_EQ(g().MyGold, 850);
    Click();
    EXPECT_EQ(Bar(), "司祭：あなたにガイア神のご加護がありますように");
    Click();
    ExpectWalking();
}

TEST_F(FieldTest, ThePriestOnlyAdvisesAtFullHp) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    Facing(true);
    Draws({Priest});
    Field().AssistSelect();
    EXPECT_EQ(Bar(), "司祭：外は危険ですから、体力には常に気を配ってくださいね");
    EXPECT_EQ(g().VisitorSprite, 68);
    EXPECT_EQ(g().StoryNo, 999);
    Click();
    ExpectWalking();
}

TEST_F(FieldTest, WithoutTheDonationTheHeroineExcusesHerself) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().MyMaxHp = 35;
    g().MyNowHp = 20;
    g().MyGold = 100;
    Draws({Priest});
    Field().AssistSelect();
    Click();
    EXPECT_EQ(Bar(), "イザベラ：ごめんなさい。今は持ち合わせがなくて…");
    Click();
    EXPECT_EQ(Bar(), "司祭：あなたにガイア神のご加護を…");
    EXPECT_EQ(g().MyNowHp, 20);
    EXPECT_EQ(g().MyGold, 100);
    Click();
    ExpectWalking();
}

struct FareCase {
    double end;         // which end the cart offers
    Long warasibe;
    const char* line;   // "" when the cart does not come
    Long fee;
    Long time;
    bool left;
};

class CartFares : public FieldTest, public ::testing::WithParamInterface<FareCase> {};

TEST_P(CartFares, TheFareIsTheRestOfTheRoadToTheEndOffered) {
    const FareCase& c = GetParam();
    g().Warasibe = c.warasibe;
    g().MyGold = 5000;
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 50;
    Draws({Cart, c.end});
    Field().AssistSelect();
    if (std::string(c.line).empty()) {
        ExpectWalking();
        EXPECT_EQ(Bar(), "");
        return;
    }
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().AssistFee, c.fee);
    EXPECT_EQ(g().TravelTime, c.time);
    EXPECT_EQ(g().CartGoesLeft, c.left);
    EXPECT_EQ(g().VisitorSprite, 38);
    EXPECT_EQ(g().EventName, "Basha");
    Click();
    EXPECT_EQ(Bar(), "[乗る(Y)] [乗らない(N/G)]");
}

INSTANTIATE_TEST_SUITE_P(Field, CartFares,
                         ::testing::Values(FareCase{LeftEndOnly, 0, "馬車屋：ハノダ行き、500カリムだべ。乗るだべか？", 500, 25, true},
                                           FareCase{EitherEnd, 2, "馬車屋：レインウッド行き、1,500カリムだべ。乗るだべか？", 1500, 75, false},
                                           FareCase{EitherEnd, 1, "", 0, 0, false}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("End", c.end, "Warasibe", c.warasibe); }));

TEST_F(FieldTest, TheCartStaysAwayInDungeonsAndInAutoMode) {
    InDungeon("Shinen", 10);
    g().EffectResult = EffectCart;
    Draws({Cart});
    Field().AssistSelect();
    ExpectWalking();
    EXPECT_EQ(g().EffectResult, EffectUsed);

    OnRoad("HanoMori", "Hanoda", "Rein");
    g().AutoNext = true;
    Draws({Cart});
    Field().AssistSelect();
    ExpectWalking();
}

TEST_F(FieldTest, TheRefusedCartLeavesNothingBehind) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 50;
    Draws({Cart, LeftEndOnly});
    Field().AssistSelect();
    Click();
    Key(vbKeyReturn);
    EXPECT_EQ(Bar(), "馬車屋：そうだべか？まぁ、また今度乗ってくんろ");
    EXPECT_FALSE(g().DealAccepted);
    EXPECT_EQ(g().MyGold, 300);
    Click();
    ExpectWalking();
    EXPECT_EQ(g().SceneFormName, "frmField");
}

struct HornCase {
    int key;
    const char* town;
    Long gold;
    Long time;
};

class CartHorn : public FieldTest, public ::testing::WithParamInterface<HornCase> {};

TEST_P(CartHorn, BothEndsAreOfferedAndTheAnswerChoosesOne) {
    const HornCase& c = GetParam();
    g().Warasibe = 2;
    g().MyGold = 5000;
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 50;
    g().EffectResult = EffectCart;
    Draws({Priest});
    Field().AssistSelect();
    EXPECT_EQ(Bar(), "馬車屋：ハノダ行き、500カリム。レインウッド行き、1500カリムだべ");
    Click();
    EXPECT_EQ(Bar(), "[ハノダ(Y)] [レインウッド(N/G)]");
    Key(c.key);
    EXPECT_EQ(Bar(), "馬車屋：お！乗っていくだべか。んじゃ、行くだべよ");
    EXPECT_EQ(g().MyGold, c.gold);
    EXPECT_EQ(g().EffectResult, EffectUsed);
    const Long before = g().NowTime + 100 * g().NowDay;
    Click();
    EXPECT_EQ(g().SceneFormName, "frmEvent");
    EXPECT_EQ(g().FieldName, c.town);
    EXPECT_FALSE(g().frmField.loaded());
    EXPECT_FALSE(g().EventBusy);
    EXPECT_EQ(g().NowTime + 100 * g().NowDay - before, c.time);
}

INSTANTIATE_TEST_SUITE_P(Field, CartHorn,
                         ::testing::Values(HornCase{vbKeyY, "Hanoda", 4500, 25}, HornCase{vbKeyN, "Rein", 3500, 75},
                                           HornCase{vbKeyG, "Rein", 3500, 75}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Key", c.key, c.town); }));

TEST_F(FieldTest, TheHornsCartTakesWhatMoneyThereIsAndSomeFame) {
    OnRoad("HanoMori", "Hanoda", "Rein");
    g().RoadPos = 50;
    g().MyGold = 120;
    g().MyFame = 500;
    g().EffectResult = EffectCart;
    Draws({Cart});
    Field().AssistSelect();
    // Rein is not reached yet: only Hanoda.
    EXPECT_EQ(Bar(), "馬車屋：ハノダ行き、500カリムだべ。乗るだべか？");
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "馬車屋：お！乗っていくだべか。足りない分は……サービスだべ");
    EXPECT_EQ(g().MyGold, 0);
    EXPECT_EQ(g().MyFame, 400);
}

TEST_F(FieldTest, AHornOnTheCorridorOffersOnlyTheLeftEndEvenAfterAnEarlierHorn) {
    // An earlier horn on another road left a second destination behind.
    g().FareTown2 = "レインウッド";
    g().AssistFee2 = 1500;
    OnRoad("ElfMugen", "Elwind", "Mugen");
    g().RoadPos = 100;
    g().MyGold = 50000;
    g().EffectResult = EffectCart;
    Draws({Cart});
    Field().AssistSelect();
    EXPECT_EQ(Bar(), "馬車屋：エルウインド行き、10,000カリムだべ。乗るだべか？");
    Click();
    EXPECT_EQ(Bar(), "[乗る(Y)] [乗らない(N/G)]");
    Key(vbKeyN);
    EXPECT_EQ(Bar(), "馬車屋：そうだべか？まぁ、また今度乗ってくんろ");
    EXPECT_EQ(g().EffectResult, EffectUsed);
}

}  // namespace
}  // namespace q
