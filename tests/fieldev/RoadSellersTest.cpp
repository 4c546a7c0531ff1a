#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "FieldFixture.h"
#include "core/World.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;
using test::PickIn;

const double SellerRoll = Pick(5, 100), GameRoll = Pick(9, 100), JewelRoll = Pick(40, 100), DevilRoll = Pick(44, 100);
const double Sack = Pick(1, 2), Bag = Pick(0, 2);
constexpr Long LeafSetItem = 21, WisdomBookItem = 22;  // the devil's gifts

class SellerTest : public FieldTest {
protected:
    SellerTest() { OnRoad("HanoMori", "Hanoda", "Rein"); }
};

struct CapacityCase {
    bool sack;
    Long capacity;
    Long gold;
    const char* line;  // "" when the seller does not come
    Long storyNo;
};

class CapacityOffer : public SellerTest, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(CapacityOffer, ThePriceGrowsWithTheCapacity) {
    const CapacityCase& c = GetParam();
    (c.sack ? g().NowMaxSack : g().NowMaxBag) = c.capacity;
    g().MyGold = c.gold;
    Draws({SellerRoll, c.sack ? Sack : Bag});
    Field().ItemSelect();
    EXPECT_EQ(Bar(), c.line);
    if (std::string(c.line).empty()) {
        ExpectWalking();
        return;
    }
    EXPECT_EQ(g().StoryNo, c.storyNo);
    EXPECT_EQ(g().VisitorSprite, c.sack ? 15 : 13);
}

INSTANTIATE_TEST_SUITE_P(
    Field, CapacityOffer,
    ::testing::Values(
        CapacityCase{true, 10, 20000, "袋屋オバチャン：オーホッホッホッ。物欲しそうに見ても駄目ザマス。袋が欲しいなら15,000カリム払うザマスよ！", 1},
        CapacityCase{true, 49, 210000, "袋屋オバチャン：オーホッホッホッ。物欲しそうに見ても駄目ザマス。袋が欲しいなら210,000カリム払うザマスよ！", 1},
        CapacityCase{true, 49, 209999, "", 0},
        CapacityCase{true, 50, 0,
                     "袋屋オバチャン：オーホッホッホッ。袋を売ってあげようと思ったのに、最大サイズザマス！壊れでもしなきゃ売れないザマスね",
                     999},
        CapacityCase{false, 20, 20000, "鞄屋：僕の鞄は世界一～♪20,000カリムで～、武器が30個入る鞄を売ってあげるよ～♪", 1},
        CapacityCase{false, 140, 300000, "鞄屋：僕の鞄は世界一～♪260,000カリムで～、武器が150個入る鞄を売ってあげるよ～♪", 1},
        CapacityCase{false, 150, 0, "鞄屋：僕の鞄は世界一～♪だ～けど、それ以上大きなものは無いよ～", 999}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(Flag{c.sack, "Sack"}, "Capacity", c.capacity, "Gold", c.gold); }));

TEST_F(SellerTest, BuyingTheSackAddsAKindAndRefusingCostsNothing) {
    g().MyGold = 20000;
    Facing(true);
    Draws({SellerRoll, Sack});
    Field().ItemSelect();
    EXPECT_EQ(g().VisitorSprite, 16);
    Click();
    EXPECT_EQ(Bar(), "[買う(Y)] [買わない(N/G)]");
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "袋屋オバチャン：オーホッホッホッ！また売ってあげるザマスから、カリムを貯めとくザマスよ！");
    EXPECT_EQ(g().NowMaxSack, 11);
    EXPECT_EQ(g().MyGold, 5000);
    EXPECT_TRUE(g().DealAccepted);
    Click();
    ExpectWalking();

    g().MyGold = 20000;
    Draws({SellerRoll, Bag});
    Field().ItemSelect();
    Click();
    Key(vbKeyG);
    EXPECT_EQ(Bar(), "鞄屋：ええぇっ！いらないの？すっごく良い鞄なのにな～。んじゃ、またね～");
    EXPECT_EQ(g().NowMaxBag, 20);
    EXPECT_EQ(g().MyGold, 20000);
    Click();
    Draws({SellerRoll, Bag});
    Field().ItemSelect();
    Click();
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "鞄屋：オッケ～、オッケ～ィ！！んじゃ、これ、大事にしてね～♪");
    EXPECT_EQ(g().NowMaxBag, 30);
    EXPECT_EQ(g().MyGold, 0);
}

TEST_F(SellerTest, InAutoModeOnlyTheSackAndBagSellersCome) {
    g().AutoNext = true;
    g().MyGold = 5000000;
    g().MyFame = 9999;
    g().Warasibe = 8;
    for (double roll : {GameRoll, JewelRoll, DevilRoll}) {
        Draws({roll});
        Field().ItemSelect();
        ExpectWalking();
    }
    Draws({SellerRoll, Sack});
    Field().ItemSelect();
    EXPECT_EQ(g().EventName, "SackShop");
}

TEST_F(SellerTest, TheGameKeeperDrawsStakeRangeTriesAndAnswer) {
    Draws({GameRoll, PickIn(250, 200, 300), PickIn(40, 30, 50), Pick(1, 3), PickIn(17, 0, 40)});
    Field().ItemSelect();
    EXPECT_EQ(Bar(), "ゲーム屋：やァ、僕ト数当てゲェムしなイかイ？0～40マでで、僕が思ってイた数字ヲ5回以内に当ててクれ。賭金は250カリムだヨ");
    EXPECT_EQ(g().GameStake, 250);
    EXPECT_EQ(g().GameMax, 40);
    EXPECT_EQ(g().GameTries, 5);
    EXPECT_EQ(g().GameAnswer, 17);
    EXPECT_EQ(g().GameNear, 5);
    EXPECT_EQ(g().GameTriesUsed, 0);
    EXPECT_EQ(g().VisitorSprite, 36);
    Click();
    EXPECT_EQ(Bar(), "[やる(Y)] [やめておく(N/G)]");
    Key(vbKeyN);
    EXPECT_EQ(Bar(), "ゲーム屋：残念ダな。次ハやろうネ");
    EXPECT_EQ(g().MyGold, 300);
}

TEST_F(SellerTest, TheGameKeeperStaysOnTheFiveRoadsAndAwayFromThePoor) {
    OnRoad("ElfMugen", "Elwind", "Mugen");
    Draws({GameRoll});
    Field().ItemSelect();
    ExpectWalking();
    InDungeon("Tou", 10);
    Draws({GameRoll});
    Field().ItemSelect();
    ExpectWalking();
    OnRoad("SiroTou", "Amulet", "Tou");
    g().MyGold = 7999;
    Draws({GameRoll, PickIn(8000, 8000, 10000), Pick(0, 51), Pick(0, 3), Pick(0, 251)});
    Field().ItemSelect();
    ExpectWalking();
    EXPECT_EQ(Bar(), "");
}

TEST_F(SellerTest, TheDearJewelIsOneOfTheRarestTheStoryHasReached) {
    g().Warasibe = 5;
    g().MyGold = 1500000;
    SetRange(g(), 3);
    Long common = -1, rarest = -1;
    for (Long m = g().RangeMin; m <= g().RangeMax; ++m) {
        if (common < 0 && g().AllMonster[size_t(m)].JewelRank == 1) common = m;
        if (rarest < 0 && g().AllMonster[size_t(m)].JewelRank == 2) rarest = m;
    }
    ASSERT_GE(common, 0);
    ASSERT_GE(rarest, 0);
    const long width = g().RangeMax - g().RangeMin + 1;
    Draws({JewelRoll, Pick(1, 3)});
    Field().ItemSelect();
    EXPECT_EQ(Bar(), "玉屋：グフッ、グフッ。おいら玉を売ってるんだな。かな～りレアな玉を1,000,000カリムで売るんだな。中身は買うまで教えないんだな");
    Click();
    Draws({Pick(common - g().RangeMin, width), Pick(rarest - g().RangeMin, width)});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "玉屋：グフッ、グフッ。じゃあ、これをあげるんだな。" + g().AllGyoku[size_t(rarest)].Name + "なんだな");
    EXPECT_EQ(SackCount(rarest, true), 1);
    EXPECT_EQ(g().MyGold, 500000);
}

TEST_F(SellerTest, TheJewelSellerNeedsTheMoneyAndRoomInTheSack) {
    g().MyGold = 600000;
    Draws({JewelRoll, Pick(1, 3)});
    Field().ItemSelect();
    ExpectWalking();
    Draws({JewelRoll, Pick(2, 3)});
    Field().ItemSelect();
    EXPECT_EQ(g().DealPrice, 500000);
    EXPECT_EQ(g().WorkName, "ちょっとだけ");
    Click();
    g().NowMaxSack = 3;
    Draws({JewelRoll});
    Field().ItemSelect();
    ExpectWalking();
}

TEST_F(SellerTest, AJewelSheCannotCarryIsNotSoldAndCostsNothing) {
    g().Warasibe = 5;
    SetRange(g(), 3);
    Long common = -1;
    for (Long m = g().RangeMin; m <= g().RangeMax && common < 0; ++m)
        if (g().AllMonster[size_t(m)].JewelRank == 1) common = m;
    ASSERT_GE(common, 0);
    const long width = g().RangeMax - g().RangeMin + 1;
    const std::string name = g().AllGyoku[size_t(common)].Name;
    for (Long held : {8, 9}) {
        g().MyGold = 600000;
        g().HaveSack = 1;
        g().MySack[0] = {common, held, true};
        Draws({JewelRoll, Pick(2, 3)});
        Field().ItemSelect();
        Click();
        Draws({Pick(common - g().RangeMin, width)});
        Key(vbKeyY);
        if (held == 8) {
            EXPECT_EQ(Bar(), "玉屋：グフッ、グフッ。じゃあ、これをあげるんだな。" + name + "なんだな");
            EXPECT_EQ(g().MyGold, 100000);
        } else {
            EXPECT_EQ(Bar(), "イザベラ：同じ種類の道具は9個までしか持てないわ");
            EXPECT_EQ(g().MyGold, 600000);
            EXPECT_FALSE(g().DealAccepted);
        }
        EXPECT_EQ(SackCount(common, true), 9) << held;
        Click();
        ExpectWalking();
    }
}

TEST_F(FieldTest, EveryStageOffersJewelsOfBothRarities) {
    for (bool cleared : {false, true}) {
        for (Long stage = 0; stage <= 12; ++stage) {
            g().GameCleared = cleared;
            g().Warasibe = stage;
            SetRange(g(), 3);
            bool ranks[3] = {false, false, false};
            for (Long m = g().RangeMin; m <= g().RangeMax; ++m) ranks[g().AllMonster[size_t(m)].JewelRank] = true;
            EXPECT_TRUE(ranks[1] && ranks[2]) << "stage " << stage << (cleared ? " cleared" : "");
        }
    }
}

TEST_F(SellerTest, TheDevilComesOnlyToTheFamousLateInTheStory) {
    struct Case {
        Long fame, stage;
        bool comes;
    };
    for (const Case c : {Case{9998, 12, false}, Case{9999, 7, false}, Case{9999, 8, true}}) {
        g().MyFame = c.fame;
        g().Warasibe = c.stage;
        Draws({DevilRoll});
        Field().ItemSelect();
        EXPECT_EQ(g().EventName, c.comes ? "Akuma" : "") << c.fame << " " << c.stage;
        EXPECT_EQ(Bar(), c.comes ? "悪魔：強く……なりたいか？評判全てと引き換えに強くしてやろう。フッフッフ……" : "");
    }
}

struct DevilCase {
    std::vector<double> draws;
    const char* line;
    Long gift;  // an item the sack gains, or -1
    bool punished;
};

class DevilDeal : public SellerTest, public ::testing::WithParamInterface<DevilCase> {};

TEST_P(DevilDeal, AllTheFameGoesWhateverHeGives) {
    const DevilCase& c = GetParam();
    g().MyFame = 9999;
    g().Warasibe = 8;
    Draws({DevilRoll});
    Field().ItemSelect();
    Click();
    EXPECT_EQ(Bar(), "[強くなりたい(Y)] [やめておく(N/G)]");
    Draws(std::initializer_list<double>{});
    for (double u : c.draws) g().rng.Queue(u);
    Key(vbKeyY);
    std::string line = c.line;
    if (c.gift >= 0) line += g().AllItem[size_t(c.gift)].Name + "をくれてやろう。フッフッフ……";
    EXPECT_EQ(Bar(), line);
    EXPECT_EQ(g().MyFame, 0);
    EXPECT_EQ(g().DealingCount, 1);
    EXPECT_EQ(SackCount(21) + SackCount(22), c.gift >= 0 ? 1 : 0);
    EXPECT_EQ(g().MyMaxHp, c.punished ? 30 : 35);
    EXPECT_EQ(g().MyAt, c.punished ? 6 : 7);
    EXPECT_EQ(g().MyMaxWater, c.punished ? 99 : 100);
    // What she has now never stays above a lowered maximum.
    EXPECT_EQ(g().MyNowHp, g().MyMaxHp);
    EXPECT_EQ(g().MyNowWater, g().MyMaxWater);
}

INSTANTIATE_TEST_SUITE_P(
    Field, DevilDeal,
    ::testing::Values(DevilCase{{Pick(0, 7)}, "悪魔：愚かな人間め。激しく後悔するがいい！！フハーッハッハッハ！", -1, true},
                      DevilCase{{Pick(2, 7)}, "悪魔：愚かな人間め。後悔するがいい！！", -1, false},
                      DevilCase{{Pick(3, 7), Pick(1, 5)}, "悪魔：愚かな人間め。今回は特別だ。", 22, false},
                      DevilCase{{Pick(6, 7), Pick(0, 5)}, "悪魔：愚かな人間め。今回は特別だ。", 21, false}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Draw", c.draws.empty() ? -1.0 : c.draws[0], Flag{c.punished, "Punished"}); }));

// He comes whatever she holds of his gifts: three draws in seven give none.
// Only a gift drawn that will not go into the sack is refused, and then the
// deal is off and nothing is taken.
struct DevilRoomCase {
    const char* what;
    std::vector<double> draws;
    bool dealt;
    Long leavesAfter;
};

class DevilWithNineBooksHeld : public SellerTest, public ::testing::WithParamInterface<DevilRoomCase> {};

TEST_P(DevilWithNineBooksHeld, RefusesOnlyTheGiftThatCannotGoIn) {
    const DevilRoomCase& c = GetParam();
    g().MyFame = 9999;
    g().Warasibe = 8;
    SetSack({{WisdomBookItem, 9}});
    Draws({DevilRoll});
    Field().ItemSelect();
    ASSERT_EQ(g().EventName, "Akuma") << "he comes";
    Click();
    Draws(std::initializer_list<double>{});
    for (double u : c.draws) g().rng.Queue(u);
    Key(vbKeyY);
    EXPECT_EQ(g().MyFame, c.dealt ? 0 : 9999);
    EXPECT_EQ(g().DealingCount, c.dealt ? 1 : 0);
    EXPECT_EQ(g().DealAccepted, c.dealt);
    EXPECT_EQ(SackCount(WisdomBookItem), 9);
    EXPECT_EQ(SackCount(LeafSetItem), c.leavesAfter);
    if (!c.dealt) EXPECT_EQ(Bar(), "イザベラ：同じ種類の道具は9個までしか持てないわ");
    Click();
    ExpectWalking();
}

INSTANTIATE_TEST_SUITE_P(Field, DevilWithNineBooksHeld,
                         ::testing::Values(DevilRoomCase{"the punishment", {Pick(0, 7)}, true, 0},
                                           DevilRoomCase{"nothing more", {Pick(2, 7)}, true, 0},
                                           DevilRoomCase{"the book drawn", {Pick(3, 7), Pick(1, 5)}, false, 0},
                                           DevilRoomCase{"the leaves drawn", {Pick(6, 7), Pick(0, 5)}, true, 1}),
                         q::test::NameBy(&DevilRoomCase::what));

TEST_F(SellerTest, TheDevilsBookGoesInAsTheNinth) {
    g().MyFame = 9999;
    g().Warasibe = 8;
    SetSack({{22, 8}});
    Draws({DevilRoll});
    Field().ItemSelect();
    Click();
    Draws({Pick(3, 7), Pick(1, 5)});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "悪魔：愚かな人間め。今回は特別だ。" + g().AllItem[22].Name + "をくれてやろう。フッフッフ……");
    EXPECT_EQ(SackCount(22), 9);
    EXPECT_EQ(g().MyFame, 0);
}

TEST_F(SellerTest, RefusingTheDevilKeepsTheFame) {
    g().MyFame = 9999;
    g().Warasibe = 9;
    Draws({DevilRoll});
    Field().ItemSelect();
    Click();
    Key(vbKeyReturn);
    EXPECT_EQ(Bar(), "悪魔：今回は欲望を抑えたようだな。また会おう！フッフッフ…");
    EXPECT_EQ(g().MyFame, 9999);
    EXPECT_EQ(g().DealingCount, 0);
}

TEST_F(SellerTest, ClicksAfterAnEmptyRollAskNothing) {
    Draws({Pick(4, 100)});
    Field().ItemSelect();
    Click();
    Click();
    EXPECT_FALSE(g().WaitingAnswer);
    EXPECT_NE(g().StoryNo, StoryWaitNo);
    EXPECT_EQ(Bar(), "");
    EXPECT_FALSE(g().EventBusy);
}

}  // namespace
}  // namespace q
