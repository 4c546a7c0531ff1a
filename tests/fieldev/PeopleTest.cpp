#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "FieldFixture.h"
#include "core/Format.h"

namespace q {
namespace {

using test::FieldTest;
using test::Pick;
using test::PickIn;

const double Talks = Pick(0, 3), Buys = Pick(1, 3), Sells = Pick(2, 3);
constexpr double LowFame = 0.1;  // Int(0.1 * level 1 * 1.2) + 1 = 1
constexpr Long DealtArm = 5;     // a common arm of the first road, priced 1,000 here

class PeopleTest : public FieldTest {
protected:
    PeopleTest() {
        OnRoad("HanoMori", "Hanoda", "Rein");
        g().AllArms[DealtArm].BasePrice = 1000;
        g().MyGold = 100000;
    }
    double Person(Long kind) { return Pick(kind, 10); }
    std::string Name(Long arm) { return g().AllArms[size_t(arm)].Name; }
    // A buyer who wants the arm of the bag's only entry at a price.
    void MeetBuyer(Long kind, Long price) {
        SetBag({{DealtArm, 2}});
        Draws({Buys, Pick(0, 1), PickIn(price, 500, 1500), LowFame, Person(kind)});
        Field().ManSelect();
    }
    // A seller who offers the arm at a price.
    void MeetSeller(Long kind, Long price) {
        Draws({Sells, Pick(DealtArm, 54), Pick(2, 20), PickIn(price, 500, 1500), LowFame, Person(kind)});
        Field().ManSelect();
    }
};

TEST_F(PeopleTest, NoTradeIsOfferedThatCannotBeMade) {
    Long special = 0;
    while (!g().AllArms[size_t(special)].Special) ++special;
    struct Case {
        const char* what;
        std::vector<std::pair<Long, Long>> bag;
        Long gold;
        std::vector<double> draws;
    };
    const Case cases[] = {
        {"a buyer and an empty bag", {}, 100000, {Buys}},
        {"a buyer and a special arm", {{special, 1}}, 100000, {Buys, Pick(0, 1)}},
        {"a seller and a full bag", {{0, 20}}, 100000, {Sells}},
        {"a buyer dearer than her money", {{DealtArm, 1}}, 999, {Buys, Pick(0, 1), PickIn(1000, 500, 1500)}},
        {"a seller dearer than her money", {}, 499, {Sells, Pick(DealtArm, 54), Pick(2, 20), PickIn(500, 500, 1500)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g().HaveBag = g().HaveBagNum = 0;
        for (const auto& [arm, n] : c.bag) {
            g().MyBag[size_t(g().HaveBag++)] = {arm, n};
            g().HaveBagNum += n;
        }
        g().MyGold = c.gold;
        Draws({});
        for (double u : c.draws) g().rng.Queue(u);
        Field().ManSelect();
        ExpectWalking();
        EXPECT_EQ(Bar(), "");
    }
}

TEST_F(PeopleTest, AnAnswerLeftOverIsNotTakenByTheNextTalkOnTheRoad) {
    g().AnswerKey = 9999;  // what closing the shop used to leave behind
    OnRoad("HanoMori", "Hanoda", "Rein");
    Draws({Talks, Person(0)});
    Field().ManSelect();
    ASSERT_TRUE(g().EventBusy);
    for (int i = 0; i < 20 && g().EventBusy; ++i) Click();
    ExpectWalking();
}

TEST_F(PeopleTest, ThePriceFollowsTheEconomy) {
    struct Case {
        Long economy;
        double u;
        Long price;
    };
    const Case cases[] = {{EconomyStable, Pick(0, 1001), 500},   {EconomyStable, Pick(1000, 1001), 1500},
                          {EconomySlump, Pick(0, 1001), 550},    {EconomySlump, Pick(1000, 1001), 1650},
                          {EconomyBoom, Pick(0, 1001), 450},     {EconomyBoom, Pick(1000, 1001), 1350}};
    for (const auto& c : cases) {
        g().EconomyValue = c.economy;
        SetBag({{DealtArm, 1}});
        Draws({Buys, Pick(0, 1), c.u, LowFame, Person(1)});
        Field().ManSelect();
        EXPECT_EQ(g().DealPrice, c.price) << c.economy;
        EXPECT_EQ(Bar(), "マスクの男：よぉ、あんた武具屋だな？" + Name(DealtArm) + "を" + FormatThousands(c.price) +
                             "カリムで売ってくれ！");
        Click();
        Click();
        Key(vbKeyN);
        Click();
    }
}

TEST_F(PeopleTest, TheFameOfATradeGrowsWithTheLevel) {
    g().MyLevel = 50;
    SetBag({{DealtArm, 1}});
    Draws({Buys, Pick(0, 1), Pick(0, 1001), 0.999, Person(3)});
    Field().ManSelect();
    EXPECT_EQ(g().FameDelta, 60);  // Int(0.999 * 50 * 1.2) + 1
}

TEST_F(PeopleTest, ASellerNeverOffersAUniqueOrEventArm) {
    g().AllArms[DealtArm].Rarity = 3;
    Draws({Sells, Pick(DealtArm, 54), Pick(2, 20)});
    Field().ManSelect();
    ExpectWalking();
    g().AllArms[DealtArm].Rarity = 10;
    Draws({Sells, Pick(DealtArm, 54), Pick(2, 20)});
    Field().ManSelect();
    ExpectWalking();
}

TEST_F(PeopleTest, ASellerUsesThePendantDrawsAnEarlierSeriesLeft) {
    g().AllKey[28].LKeyList = true;
    g().AllKey[18].LKeyList = true;
    g().LuckRerolls28 = 1;
    g().LuckRerolls18 = 2;
    const double miss[] = {Pick(DealtArm, 54), Pick(0, 20)};
    Draws({Sells, miss[0], miss[1], miss[0], miss[1]});
    Field().ManSelect();
    ExpectWalking();
    EXPECT_EQ(g().LuckRerolls28, 2);
}

struct TradeCase {
    bool buyer;
    Long kind;
    int key;
    const char* line;
    Long gold, fame, bagged;
    Long sells, buys, declines;
};

class Trade : public PeopleTest, public ::testing::WithParamInterface<TradeCase> {};

TEST_P(Trade, TheAnswerSettlesTheTrade) {
    const TradeCase& c = GetParam();
    g().MyFame = 100;
    if (c.buyer) MeetBuyer(c.kind, 1000);
    else MeetSeller(c.kind, 1000);
    EXPECT_EQ(g().StoryNo, 1);
    Click();
    EXPECT_EQ(Bar(), c.buyer ? "[売る(Y/G)] [売らない(N)]" : "[買う(Y/G)] [買わない(N)]");
    Key(c.key);
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().StoryNo, 999);
    EXPECT_EQ(g().MyGold, c.gold);
    EXPECT_EQ(g().MyFame, c.fame);
    EXPECT_EQ(BagCount(DealtArm), c.bagged);
    EXPECT_EQ(g().SellCount, c.sells);
    EXPECT_EQ(g().BuyCount, c.buys);
    EXPECT_EQ(g().DeclineCount, c.declines);
    Click();
    ExpectWalking();
    EXPECT_EQ(g().ManKind, NoSprite);
    EXPECT_EQ(Bar(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Field, Trade,
    ::testing::Values(TradeCase{true, 1, vbKeyY, "マスクの男：お！売ってくれるか。ありがとよ、助かったぜ", 101000, 101, 1, 1, 0, 0},
                      TradeCase{true, 7, vbKeyG, "戦士：よっしゃー！これでコンプリートに近づいたぜ！！", 101000, 101, 1, 1, 0, 0},
                      TradeCase{false, 2, vbKeyY, "ゴスロリ：私が使ってたんだから、プレミア物よ♪", 99000, 101, 1, 0, 1, 0},
                      TradeCase{true, 2, vbKeyN, "ゴスロリ：その武具、あなたには似合わないわよ", 100000, 99, 2, 0, 0, 1},
                      TradeCase{false, 2, vbKeyN, "ゴスロリ：よく考えたら、この武具、あなたには似合わないわね", 100000, 99, 0, 0, 0, 1},
                      TradeCase{true, 0, vbKeyY, "獣使い：ガルルゥゥゥ", 101000, 101, 1, 1, 0, 0},
                      TradeCase{false, 6, vbKeyY, "女王様：オーッホッホッホ！ご褒美として、踏み踏みしてあげても良くてよ？", 99000, 101, 1, 0, 1, 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.buyer ? "Buyer" : "Seller", "Kind", c.kind, "Key", c.key); }));

TEST_F(PeopleTest, TheBeastTamerGrowlsHisOffers) {
    MeetSeller(0, 700);
    EXPECT_EQ(Bar(), "獣使い：ガルルゥゥゥ！ガル…ガル…ガルルルル！！");
    EXPECT_EQ(g().VisitorSprite, 19);
}

TEST_F(PeopleTest, ABuyerPaysNothingForAnArmThatLeftTheBag) {
    MeetBuyer(5, 1200);
    Click();
    SetBag({});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "ペリゾウ：やったペリ！これ欲しかったペリよ！！");
    EXPECT_EQ(g().MyGold, 100000);
    EXPECT_EQ(g().SellCount, 0);
}

// The bag filled up while she thought: nothing changes hands.
TEST_F(PeopleTest, ASellersArmThatNoLongerFitsTheBagIsNotBought) {
    g().MyFame = 100;
    MeetSeller(2, 1000);
    Click();
    SetBag({{0, g().NowMaxBag}});
    Key(vbKeyY);
    EXPECT_EQ(Bar(), "イザベラ：鞄が一杯だわ。残念ね");
    EXPECT_EQ(g().MyGold, 100000);
    EXPECT_EQ(g().MyFame, 100);
    EXPECT_EQ(g().BuyCount, 0);
    EXPECT_EQ(BagCount(DealtArm), 0);
    Click();
    ExpectWalking();
}

TEST_F(PeopleTest, RefusalsWinTheMagicianAndTradesTheQueen) {
    g().SpecialFlg[0] = 19;
    MeetBuyer(4, 1000);
    Click();
    Key(vbKeyN);
    EXPECT_EQ(g().SpecialFlg[0], 20);
    Click();
    MeetBuyer(4, 1000);
    Click();
    Key(vbKeyN);
    EXPECT_EQ(g().SpecialFlg[0], 20);
    Click();

    g().SpecialFlg[1] = 499;
    MeetBuyer(6, 1000);
    Click();
    Key(vbKeyY);
    EXPECT_EQ(g().SpecialFlg[1], 500);
    Click();
    MeetBuyer(6, 1000);
    Click();
    Key(vbKeyN);
    EXPECT_EQ(g().SpecialFlg[1], 500);
}

TEST_F(PeopleTest, TheMagiciansGift) {
    g().SpecialFlg[0] = 20;
    g().MyFame = 9999;
    Draws({Talks, Person(4)});
    Field().ManSelect();
    EXPECT_EQ(Bar(), "マジシャン：あ……あの……");
    EXPECT_TRUE(g().AutoBlocked);
    for (int i = 0; i < 3; ++i) Click();
    EXPECT_EQ(Bar(), "マジシャン：……これ、……貰ってください");
    EXPECT_FALSE(g().AllKey[17].LKeyList);
    Click();
    EXPECT_EQ(Bar(), "マジシャン：………それで…嫌いに……ならないでください……");
    EXPECT_TRUE(g().AllKey[17].LKeyList);
    EXPECT_EQ(g().SpecialFlg[0], 30);
    EXPECT_FALSE(g().AutoBlocked);
    EXPECT_EQ(g().StoryNo, 999);
    Click();
    ExpectWalking();
}

TEST_F(PeopleTest, TheQueenTakesTenMillionForTheFireOfEden) {
    g().SpecialFlg[1] = 500;
    g().MyFame = 9999;
    g().MyGold = 10000005;
    Draws({Talks, Person(6)});
    Field().ManSelect();
    EXPECT_EQ(Bar(), "女王様：あーら。あなた、いつも武具を用意してくれるコね");
    for (int i = 0; i < 5; ++i) Click();
    EXPECT_EQ(g().MyGold, 10000005);
    Click();
    EXPECT_EQ(Bar(), "女王様：カリムは貰っていくわね。オーッホッホッホ");
    EXPECT_EQ(g().MyGold, 5);
    EXPECT_TRUE(g().AllKey[19].LKeyList);
    EXPECT_EQ(g().SpecialFlg[1], 600);
    EXPECT_FALSE(g().AutoBlocked);

    // Short of the money she only talks.
    g().SpecialFlg[1] = 500;
    Click();
    Draws({Talks, Person(6)});
    Field().ManSelect();
    EXPECT_EQ(Bar(), "女王様：みすぼらしい格好ね。あなたには似合ってるわよ");
}

struct HintCase {
    const char* road;
    const char* left;
    const char* right;
    Long kind;
    const char* line;
};

class Hints : public FieldTest, public ::testing::WithParamInterface<HintCase> {};

TEST_P(Hints, APersonWhoTalksGivesTheAreasHint) {
    const HintCase& c = GetParam();
    if (std::string(c.right).empty()) InDungeon(c.road, 10);
    else OnRoad(c.road, c.left, c.right);
    Draws({Talks, Pick(c.kind, 10)});
    Field().ManSelect();
    EXPECT_EQ(Bar(), c.line);
    EXPECT_EQ(g().StoryNo, 999);
    Click();
    ExpectWalking();
}

INSTANTIATE_TEST_SUITE_P(Field, Hints,
                         ::testing::Values(HintCase{"HanoMori", "Hanoda", "Rein", 0, "獣使い：ガルゥ～"},
                                           HintCase{"Tou", "", "", 0, "獣使い：ガルゥ～"},
                                           HintCase{"HanoSiro", "Hanoda", "Amulet", 1, "マスクの男：評判は上げていて損はないぜ"},
                                           HintCase{"MoriElf", "Rein", "Elwind", 8, "釣り吉：喉が渇いたのぉ"},
                                           HintCase{"Shinen", "", "", 9, "ヴァルキリー：10階ごとなら、外の魔方陣でワープできるわよ"},
                                           HintCase{"SiroTou", "Amulet", "Tou", 5, "ペリゾウ：獣人のことをどう思うペリ？"},
                                           HintCase{"ElfMugen", "Elwind", "Mugen", 3, "殺し屋：ここなら誰にも見つからねぇな…"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.road, c.left, c.right, "Kind", c.kind); }));

TEST_F(PeopleTest, AutoModeGoesOnAfterTheSettlement) {
    g().AutoNext = true;
    MeetBuyer(9, 800);
    EXPECT_TRUE(g().AutoClickPending);
    ConsumeAutoAdvance(g());
    EXPECT_TRUE(g().AutoAnswerPending);
    ConsumeAutoAdvance(g());
    EXPECT_EQ(Bar(), "ヴァルキリー：助かったわ、ありがとう。またヨロシクね");
    EXPECT_TRUE(g().AutoClickPending);
    ConsumeAutoAdvance(g());
    ExpectWalking();
}

}  // namespace
}  // namespace q
