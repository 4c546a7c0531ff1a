#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "ShopFixture.h"
#include "core/Stats.h"

namespace q {
namespace {

using test::Pick;
using test::ShopTest;

using test::LightStrain;
using test::NoHunger;

class DealsTest : public ShopTest {
protected:
    DealsTest() {
        OpenShop();
        g().AllArms[2].Name = "木の盾";
        g().AllArms[3].Name = "フライパン";
    }
    void QueueAll(const std::vector<double>& us) {
        for (double u : us) g().rng.Queue(u);
        g().rng.SetStrict(true);
    }
    // He has walked in: what TimerEvent left for BuyANDSellItem.
    void Arrived(Long picture, bool buys) {
        g().EventBusy = true;
        g().ShopPhase = ShopTalking;
        g().StoryName = "ShopBuySell";
        g().VisitorSprite = picture;
        g().ShopEventKind = ShopEventNone;
        g().CustomerBuys = buys;
        g().ArmMissing = buys && g().HaveShop == 0;
        g().PriceOutrageous = false;
        g().NoRepeat = false;
        g().HaggleCount = 0;
        g().SpecialPay = 0;
        g().FameDelta = 0;
    }
};

// --- Who comes in ---

struct ArrivalCase {
    const char* what;
    Long last;  // LastVisitorSprite
    bool helper;
    bool robberCame;
    Long closeOrder;
    bool rareArmsOnly;  // every listed arm is rare: no royal order can be drawn up
    bool emptyDisplay;
    std::vector<double> draws;  // after the arrival's own draw
    Long picture;
    Long eventKind;
    bool buys;
};

class Arrivals : public DealsTest, public ::testing::WithParamInterface<ArrivalCase> {};

TEST_P(Arrivals, KindAndEventRolls) {
    const ArrivalCase& c = GetParam();
    g().MyFame = 9999;  // no gate: one draw decides that somebody comes
    g().LastVisitorSprite = c.last;
    g().HelperPresent = c.helper;
    g().RobberCame = c.robberCame;
    g().CloseOrder = c.closeOrder;
    if (c.rareArmsOnly)
        for (Long i : {0, 1, 2}) g().AllArms[size_t(i)].Rarity = 1;
    if (c.emptyDisplay) Display({});
    else Display({{2, 3}});
    std::vector<double> draws{Pick(9000, 10000)};
    draws.insert(draws.end(), c.draws.begin(), c.draws.end());
    QueueAll(draws);
    g().RepeatDeal = 0;
    g().CloseRequest = CloseClosing;
    shop().TimerEvent();
    EXPECT_TRUE(g().EventBusy) << c.what;
    EXPECT_EQ(g().VisitorSprite, c.picture) << c.what;
    EXPECT_EQ(g().ShopEventKind, c.eventKind) << c.what;
    EXPECT_EQ(g().ShopPhase, ShopCustomerChosen) << c.what;
    EXPECT_EQ(g().VisitorX, -32) << c.what;
    EXPECT_EQ(g().CloseRequest, CloseNone) << c.what << ": a new customer clears a close asked before";
    if (c.eventKind == ShopEventNone) {
        EXPECT_EQ(g().CustomerBuys, c.buys) << c.what;
        EXPECT_EQ(g().ArmMissing, c.buys && c.emptyDisplay) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Deals, Arrivals,
    ::testing::Values(
        ArrivalCase{"a soldier who buys", NoSprite, false, false, 0, false, false,
                    {Pick(0, 11), Pick(10, 60), Pick(5, 10)}, 8, 0, true},
        ArrivalCase{"one customer in ten sells", NoSprite, false, false, 0, false, false,
                    {Pick(1, 11), Pick(10, 60), Pick(0, 10)}, 26, 0, false},
        ArrivalCase{"an empty display: his arm is missing", NoSprite, false, false, 0, false, true,
                    {Pick(1, 11), Pick(10, 60), Pick(9, 10)}, 26, 0, true},
        ArrivalCase{"the last customer's picture is rolled again", 26, false, false, 0, false, false,
                    {Pick(1, 11), Pick(10, 60), Pick(3, 11), Pick(59, 60), Pick(5, 10)}, 153, 0, true},
        ArrivalCase{"a robber", 8, false, false, 0, false, false, {Pick(0, 11), Pick(0, 60)}, 169, ShopEventRobber, true},
        ArrivalCase{"no second robber: a plain customer, even the last one", 8, false, true, 0, false, false,
                    {Pick(0, 11), Pick(0, 60), Pick(5, 10)}, 8, 0, true},
        ArrivalCase{"the helping swordsman", NoSprite, false, false, 0, false, false, {Pick(5, 11), Pick(2, 60)}, 33,
                    ShopEventSwordsman, true},
        ArrivalCase{"while he helps, the swordsman is rolled again and does not come to help", 75, true, false, 0, false,
                    false, {Pick(2, 11), Pick(2, 11), Pick(6, 11), Pick(2, 60), Pick(5, 10)}, 75, 0, true},
        ArrivalCase{"a royal order", NoSprite, false, false, 0, false, false, {Pick(0, 11), Pick(1, 60)}, 8,
                    ShopEventRoyalOrder, true},
        ArrivalCase{"no arm to order: a plain customer comes instead", 58, false, false, 0, true, false,
                    {Pick(4, 11), Pick(1, 60), Pick(5, 10)}, 58, 0, true},
        ArrivalCase{"an order is due: the collection", NoSprite, false, false, 1, false, false,
                    {Pick(7, 11), Pick(30, 60)}, 8, ShopEventCollection, true}),
    q::test::NameBy(&ArrivalCase::what));

TEST_F(DealsTest, NobodyComesWhenTheGateSaysNoOrTheRobberIsStillLeaving) {
    g().MyFame = 10;
    Draws({Pick(1, 4)});
    shop().TimerEvent();
    EXPECT_FALSE(g().EventBusy);
    g().LeaverSprite = 166;
    shop().TimerEvent();  // strict: no draw at all
    EXPECT_FALSE(g().EventBusy);
}

TEST_F(DealsTest, TheCollectionStartsWithItsWorkCleared) {
    g().MyFame = 9999;
    g().OderNG = 1;
    g().WorkNum3 = 4;
    g().WorkIndex = 2;
    g().KeepRequestArms[1] = {7, 5, 3};
    Draws({Pick(9000, 10000), Pick(1, 11), Pick(3, 60)});
    shop().TimerEvent();
    EXPECT_EQ(g().ShopEventKind, ShopEventCollection);
    EXPECT_EQ(g().WorkNum3, 0);
    EXPECT_EQ(g().WorkIndex, 0);
    EXPECT_EQ(g().KeepRequestArms[1].SRequestArmsNo, 0);
    EXPECT_EQ(g().KeepRequestArms[1].SRequestArmsNum, 0);
}

TEST_F(DealsTest, AShopEventIsHandedToItsStory) {
    Arrived(169, true);
    g().ShopEventKind = ShopEventRobber;
    NoDraws();
    shop().BuyANDSellItem();
    EXPECT_EQ(g().StoryName, "ShopEvent");
    // The event's story has said his first line.
    EXPECT_EQ(Bar(), "強盗：か…金を出せ！この袋に入れるんだ！は…、早くしやがれ！");
    EXPECT_EQ(g().StoryNo, 10);
}

// --- The arm he wants, its price and the fame at stake ---

struct FameCase {
    const char* what;
    Long level;
    Long asked;  // the asking price; the list price is 100
    std::vector<double> draws;
    Long fame;
    bool outrageous;
    Long lo, hi;  // the roll's bounds, -1 when there is no roll
};

class FameAtStake : public DealsTest, public ::testing::WithParamInterface<FameCase> {};

TEST_P(FameAtStake, ByTheAskingPriceAgainstTheListPrice) {
    const FameCase& c = GetParam();
    g().MyLevel = c.level;
    g().AllArms[2].BasePrice = 100;
    g().AllArms[2].LArmsSetPrice = c.asked;
    g().RandLo = g().RandHi = -1;
    Display({{2, 3}});
    Arrived(26, true);
    std::vector<double> draws{Pick(1, 25), Pick(0, 1)};  // from the display, its only entry
    draws.insert(draws.end(), c.draws.begin(), c.draws.end());
    QueueAll(draws);
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 2) << c.what;
    EXPECT_EQ(g().DealPrice, c.asked) << c.what;
    EXPECT_EQ(g().FameDelta, c.fame) << c.what;
    EXPECT_EQ(g().PriceOutrageous, c.outrageous) << c.what;
    EXPECT_EQ(g().RandLo, c.lo) << c.what;
    EXPECT_EQ(g().RandHi, c.hi) << c.what;
    EXPECT_EQ(g().StoryNo, 1) << c.what;
    EXPECT_EQ(Bar(), "男性：おはようございます。木の盾を買いたいのですが…") << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Deals, FameAtStake,
    ::testing::Values(
        FameCase{"list price, the coin says yes", 10, 100, {Pick(0, 2), 0.5}, 1, false, -1, -1},
        FameCase{"just below the list price, the coin says no", 10, 91, {Pick(1, 2)}, 0, false, -1, -1},
        FameCase{"exactly 0.9: a sure small stake, rounded half to even", 10, 90, {0.95}, 2, false, -1, -1},
        FameCase{"a small stake is at least 1", 10, 81, {0.1}, 1, false, -1, -1},
        FameCase{"exactly 0.8", 10, 80, {0.99}, 5, false, 2, 5},
        FameCase{"exactly 0.7", 10, 70, {0.0}, 5, false, 5, 8},
        FameCase{"exactly 0.6", 10, 60, {0.99}, 11, false, 8, 11},
        FameCase{"far below", 10, 10, {0.0}, 8, false, 8, 11},
        FameCase{"level 1 raises the top of a roll to 2", 1, 80, {0.99}, 2, false, 1, 2},
        FameCase{"level 2 at 0.6", 2, 60, {0.0}, 2, false, 2, 3},
        FameCase{"just above the list price", 10, 101, {Pick(1, 20), Pick(0, 2), 0.5}, -1, false, -1, -1},
        FameCase{"just above, the coin says no", 10, 101, {Pick(1, 20), Pick(1, 2)}, 0, false, -1, -1},
        FameCase{"exactly 1.1", 10, 110, {Pick(1, 20), 0.95}, -2, false, -1, -1},
        FameCase{"exactly 1.2", 10, 120, {Pick(1, 20), 0.0}, -2, false, 2, 5},
        FameCase{"just below 1.4", 10, 139, {Pick(1, 20), 0.99}, -8, false, 5, 8},
        FameCase{"exactly 1.4, and outrageous", 10, 140, {Pick(0, 20), 0.0}, -8, true, 8, 11},
        FameCase{"level 1 at 1.3", 1, 130, {Pick(1, 20), 0.99}, -2, false, 1, 2}),
    q::test::NameBy(&FameCase::what));

TEST_F(DealsTest, OneBuyerIn25AsksForAnyArmAndMayFindItMissing) {
    Display({{2, 3}});
    Arrived(26, true);
    QueueAll({Pick(0, 25), Pick(40, 53), Pick(1, 2)});
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 40);
    EXPECT_TRUE(g().ArmMissing);

    Arrived(26, true);
    QueueAll({Pick(0, 25), Pick(2, 53), Pick(1, 2)});
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 2);
    EXPECT_FALSE(g().ArmMissing) << "any arm may still be one on display";
}

TEST_F(DealsTest, ABuyerAtAnEmptyDisplayAsksForAnyArm) {
    Display({});
    Arrived(8, true);
    ASSERT_TRUE(g().ArmMissing);
    QueueAll({Pick(7, 25), Pick(2, 53), Pick(1, 2)});  // the first roll does not count
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 2);
    EXPECT_EQ(Bar(), "兵士：おぅ！木の盾を買ってやる");
}

TEST_F(DealsTest, ADisplayEmptiedWhileHeWalksInFindsHisArmMissing) {
    Display({{2, 3}});
    Arrived(26, true);
    Display({});  // moved to the warehouse meanwhile
    QueueAll({Pick(7, 25), Pick(2, 53), Pick(1, 2)});
    shop().BuyANDSellItem();
    EXPECT_TRUE(g().ArmMissing);
    EXPECT_EQ(g().DealArm, 2);
}

TEST_F(DealsTest, ASecondDealNeverNamesTheFirstArm) {
    Display({{2, 1}, {3, 1}});
    Arrived(26, true);
    g().RepeatDeal = 1;
    g().LastDealArm = 2;
    QueueAll({Pick(1, 25), Pick(0, 2), Pick(1, 25), Pick(1, 2), Pick(1, 2)});
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 3);
    EXPECT_EQ(g().RepeatDeal, 2);
    EXPECT_EQ(Bar(), "男性：え～っとですね、フライパンを買いたいのですが…");
}

struct SellerCase {
    const char* what;
    Long economy;
    double u;
    Long price;
};

class SellerPrice : public DealsTest, public ::testing::WithParamInterface<SellerCase> {};

TEST_P(SellerPrice, HalfToOneAndAHalfOfTheListPriceByTheEconomy) {
    const SellerCase& c = GetParam();
    g().EconomyValue = c.economy;
    g().MyLevel = 10;
    g().AllArms[2].BasePrice = 101;  // bounds 50 (50.5 to even) and 152 (151.5 to even)
    Arrived(122, false);
    QueueAll({Pick(2, 53), c.u, Pick(9, 10)});
    shop().BuyANDSellItem();
    EXPECT_EQ(g().DealArm, 2) << c.what;
    EXPECT_EQ(g().RandLo, 50) << c.what;
    EXPECT_EQ(g().RandHi, 152) << c.what;
    EXPECT_EQ(g().DealPrice, c.price) << c.what;
    EXPECT_EQ(g().FameDelta, 10) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Deals, SellerPrice,
                         ::testing::Values(SellerCase{"lowest", EconomyStable, 0.0, 50},
                                           SellerCase{"highest", EconomyStable, 0.999, 152},
                                           SellerCase{"a slump: a tenth more", EconomySlump, 0.999, 167},
                                           SellerCase{"a boom: a tenth less", EconomyBoom, 0.999, 137}),
    q::test::NameBy(&SellerCase::what));

// --- The answer ---

struct AnswerCase {
    const char* what;
    Long picture;
    bool buys;
    Long price;
    Long held;  // pieces on display; the capacity is 20
    Long haggles;
    bool missing;
    bool outrageous;
    int key;
    std::vector<double> draws;
    const char* line;
    Long next;
    Long priceAfter;
    Long hagglesAfter;
    bool noRepeat;
    bool accepted;
};

class Answers : public DealsTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Answers, TheCustomersReaction) {
    const AnswerCase& c = GetParam();
    g().MyGold = 300;
    g().NowMaxShop = 20;
    Display({{0, c.held}});
    AtCounter(c.picture, c.buys, 2, c.price);
    g().HaggleCount = c.haggles;
    g().ArmMissing = c.missing;
    g().PriceOutrageous = c.outrageous;
    Click();
    ASSERT_EQ(g().StoryNo, StoryWaitNo);
    ASSERT_TRUE(g().WaitingAnswer);
    QueueAll(c.draws);
    Answer(c.key);
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().StoryNo, c.next) << c.what;
    EXPECT_EQ(g().DealPrice, c.priceAfter) << c.what;
    EXPECT_EQ(g().HaggleCount, c.hagglesAfter) << c.what;
    EXPECT_EQ(g().NoRepeat, c.noRepeat) << c.what;
    EXPECT_EQ(g().DealAccepted, c.accepted) << c.what;
}

constexpr int Y = vbKeyY, N = vbKeyN;

INSTANTIATE_TEST_SUITE_P(
    Deals, Answers,
    ::testing::Values(
        AnswerCase{"the arm is missing", 26, true, 60, 5, 0, true, false, Y, {Pick(0, 51)}, "男性：なんだ、品切れですか…",
                   250, 60, 0, false, true},
        AnswerCase{"the price is outrageous", 26, true, 60, 5, 0, false, true, Y, {Pick(0, 51)},
                   "男性：た…高いです。相場の何倍ですかね？", 250, 60, 0, true, true},
        AnswerCase{"a seller asking one Karim more than she has", 26, false, 301, 5, 0, false, false, Y, {Pick(25, 51)},
                   "男性：カリムが無い？そういうこともあるか…", 250, 301, 0, true, true},
        AnswerCase{"a seller asking all she has", 26, false, 300, 5, 0, false, false, Y, {Pick(25, 51)}, "男性：ありがとう",
                   300, 300, 0, false, true},
        AnswerCase{"a full display", 26, false, 100, 20, 0, false, false, Y, {Pick(25, 51)},
                   "男性：置き場所が無い？そういうこともあるか…", 250, 100, 0, true, true},
        AnswerCase{"a display holding more than its capacity", 26, false, 100, 25, 0, false, false, Y, {Pick(25, 51)},
                   "男性：置き場所が無い？そういうこともあるか…", 250, 100, 0, true, true},
        AnswerCase{"one place left", 26, false, 100, 19, 0, false, false, Y, {Pick(25, 51)}, "男性：ありがとう", 300, 100, 0,
                   false, true},
        AnswerCase{"a buyer who cannot pay", 26, true, 1000, 5, 0, false, false, Y, {Pick(0, 51)}, "男性：……1カリム足りない",
                   200, 1000, 0, true, true},
        AnswerCase{"after a bid he always can", 26, true, 1000, 5, 1, false, false, Y, {Pick(0, 51)}, "男性：ありがとう", 300,
                   1000, 1, false, true},
        AnswerCase{"he haggles down to 70 %", 26, true, 1000, 5, 0, false, false, Y, {Pick(1, 51), Pick(0, 3)},
                   "男性：高いですね。700カリムに、まけてくれませんか？", 1, 700, 1, true, true},
        AnswerCase{"a second bid, to 90 %", 26, true, 1000, 5, 1, false, false, Y, {Pick(10, 51), Pick(2, 3)},
                   "男性：高いですね。900カリムに、まけてくれませんか？", 1, 900, 2, true, true},
        AnswerCase{"no third bid", 26, true, 1000, 5, 2, false, false, Y, {Pick(10, 51)}, "男性：ありがとう", 300, 1000, 2, false,
                   true},
        AnswerCase{"d 11 is no bid", 26, true, 1000, 5, 0, false, false, Y, {Pick(11, 51)}, "男性：ありがとう", 300, 1000, 0,
                   false, true},
        AnswerCase{"the girl bids once for good", 75, true, 1000, 5, 0, false, false, Y, {Pick(5, 51), Pick(1, 3)},
                   "女の子：あのね、800カリムしか無いの。ダメかなぁ？", 1, 800, 3, true, true},
        AnswerCase{"and never again", 75, true, 800, 5, 3, false, false, Y, {Pick(5, 51)}, "女の子：わ～い、ありがとう！", 300, 800,
                   3, false, true},
        AnswerCase{"Enter takes the first choice", 26, true, 60, 5, 0, false, false, vbKeyReturn, {Pick(25, 51)},
                   "男性：ありがとう", 300, 60, 0, false, true},
        AnswerCase{"a buyer takes no for an answer", 26, true, 60, 5, 0, false, false, N, {Pick(5, 51)}, "男性：そうですか…", 250,
                   60, 0, false, false},
        AnswerCase{"a seller pleads", 26, false, 1000, 5, 0, false, false, N, {Pick(5, 51)},
                   "男性：頼みますよ。1,000カリムならどうです？", 1, 1000, 1, false, false},
        AnswerCase{"a seller pleads twice at most", 26, false, 1000, 5, 2, false, false, N, {Pick(5, 51)}, "男性：そうですか…",
                   250, 1000, 2, false, false},
        AnswerCase{"a seller gives up", 26, false, 1000, 5, 0, false, false, N, {Pick(0, 51)}, "男性：そうですか…", 250, 1000, 0,
                   false, false}),
    q::test::NameBy(&AnswerCase::what));

// --- Settling ---

TEST_F(DealsTest, TheGirlBidsOnceAndBringsSixMoreFame) {
    g().MyFame = 100;
    Display({{2, 2}});
    AtCounter(75, true, 2, 1000, 3);
    Click();
    QueueAll({Pick(5, 51), Pick(2, 3)});
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), "女の子：あのね、900カリムしか無いの。ダメかなぁ？");
    Click();
    EXPECT_EQ(g().StoryNo, StoryWaitNo) << "the question is asked again";
    QueueAll({Pick(5, 51)});
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), "女の子：わ～い、ありがとう！");
    const Long time = g().NowTime, hp = g().MyNowHp, ex = g().MyNowEx;
    // experience, hunger, strain, the second deal's roll
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300 + 900);
    EXPECT_EQ(g().MyFame, 100 + 3 + 6);
    EXPECT_EQ(g().BuyCount, 1);
    EXPECT_EQ(g().SellCount, 0);
    EXPECT_EQ(g().MyNowEx, ex + 1);
    EXPECT_EQ(g().HaveShopNum, 1);
    EXPECT_EQ(g().MyShopArms[0].SShopArmsNum, 1);
    EXPECT_EQ(g().NowTime, time + 2);
    EXPECT_EQ(g().MyNowHp, hp - 1);
    EXPECT_EQ(g().StoryNo, 500) << "no second deal after a bid";
    EXPECT_EQ(Bar(), "女の子：またね～。バイバイ");
}

TEST_F(DealsTest, ASellerIsPaidAndHisArmGoesOnDisplay) {
    g().MyGold = 300;
    g().AllArms[40].LArmsList = false;
    Display({{0, 1}});
    AtCounter(26, false, 40, 300, 4);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(1, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 0) << "she pays all she has";
    EXPECT_EQ(g().MyFame, 10 + 4);
    EXPECT_EQ(g().SellCount, 1);
    EXPECT_EQ(g().BuyCount, 0);
    ASSERT_EQ(g().HaveShop, 2);
    EXPECT_EQ(g().MyShopArms[1].SShopArmsNo, 40);
    EXPECT_TRUE(g().AllArms[40].LArmsList);
    EXPECT_EQ(Bar(), "男性：お陰で、いい買い物ができました");
}

TEST_F(DealsTest, NoMoneyMovesForAnArmThatNoLongerChangesHands) {
    // A seller's arm that lost its place while they talked (the display was
    // filled from the warehouse meanwhile) is not paid for.
    g().MyGold = 300;
    g().NowMaxShop = 20;
    Display({{0, 19}});
    AtCounter(26, false, 40, 100, 4);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    Display({{0, 20}});
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(1, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().HaveShop, 1);
    EXPECT_EQ(g().HaveShopNum, 20);

    // Nor does a buyer pay for an arm taken off the display meanwhile.
    Display({{2, 1}});
    AtCounter(26, true, 2, 500, 4);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    Display({{0, 1}});
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(1, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().MyShopArms[0].SShopArmsNum, 1);
}

TEST_F(DealsTest, TheSwordsmanGivesHisArmWhenTheShopCannotPay) {
    g().MyGold = 300;
    Display({{0, 1}});
    AtCounter(33, false, 40, 5000, 2);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    EXPECT_EQ(g().SpecialPay, 2);
    EXPECT_EQ(g().StoryNo, 250);
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().MyFame, 10 + 2);
    EXPECT_EQ(g().SellCount, 1);
    EXPECT_EQ(g().MyShopArms[1].SShopArmsNo, 40);
    EXPECT_EQ(Bar(), "剣士：ユーの優しさは心のオアシスさ");
}

TEST_F(DealsTest, TheSoldierWhoCannotPayTakesTheArmForPartOfItsPrice) {
    Display({{2, 1}});
    AtCounter(8, true, 2, 1000, 2);
    Click();
    QueueAll({Pick(0, 51)});
    Answer(vbKeyY);
    EXPECT_EQ(g().StoryNo, 200);
    QueueAll({Pick(2, 5), Pick(1, 2), NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300 + 700);
    EXPECT_EQ(g().MyFame, 10 + 2 + 2);
    EXPECT_EQ(g().BuyCount, 1);
    EXPECT_EQ(g().HaveShop, 0);
    EXPECT_EQ(Bar(), "兵士：次来る時までにマシな店にするんだな");
}

TEST_F(DealsTest, AnotherWhoCannotPayLeavesEverythingAsItWas) {
    Display({{2, 1}});
    AtCounter(26, true, 2, 1000, 2);
    Click();
    QueueAll({Pick(0, 51)});
    Answer(vbKeyY);
    const Long time = g().NowTime;
    QueueAll({NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().MyFame, 10);
    EXPECT_EQ(g().BuyCount, 0);
    EXPECT_EQ(g().HaveShopNum, 1);
    EXPECT_EQ(g().NowTime, time + 2);
    EXPECT_EQ(Bar(), "男性：お陰で、いい買い物ができました") << "his farewell is an agreed deal's";
}

TEST_F(DealsTest, ARefusalCostsTheFameAtStake) {
    g().MyFame = 50;
    Display({{2, 1}});
    AtCounter(26, true, 2, 1000, -3);
    Click();
    QueueAll({Pick(30, 51)});
    Answer(vbKeyN);
    EXPECT_EQ(Bar(), "男性：そうですか…");
    const Long time = g().NowTime;
    QueueAll({NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(g().MyFame, 47);
    EXPECT_EQ(g().NowTime, time + 2);
    EXPECT_EQ(g().MyGold, 300);
    EXPECT_EQ(g().StoryNo, 500) << "one entry on display: no second deal";
    EXPECT_EQ(Bar(), "男性：しょうがないな。出直すことにします");
}

TEST_F(DealsTest, ASoldierAtAnEmptyDisplay) {
    g().MyFame = 9999;
    Display({});
    // He comes and buys; any arm, which is missing; at the list price.
    QueueAll({Pick(9000, 10000), Pick(0, 11), Pick(10, 60), Pick(5, 10)});
    shop().TimerEvent();
    ASSERT_TRUE(g().ArmMissing);
    g().ShopPhase = ShopArrived;
    QueueAll({Pick(3, 25), Pick(2, 53), Pick(0, 2), 0.99});
    shop().Timer1_Timer();
    EXPECT_EQ(Bar(), "兵士：おぅ！木の盾を買ってやる");
    EXPECT_EQ(g().FameDelta, 1) << "a quarter of level 1 rounds to 0, but the stake is at least 1";
    Click();
    QueueAll({Pick(0, 51)});
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), "兵士：木の盾がないだと？！ふざけやがって");
    QueueAll({NoHunger, LightStrain, Pick(0, 6)});
    Click();
    EXPECT_EQ(Bar(), "兵士：こんな店潰れちまいな");
    EXPECT_EQ(g().MyFame, 9999 - 1);
    EXPECT_EQ(g().BuyCount, 0);
}

TEST_F(DealsTest, ALevelUpIsAnnouncedAndNoTimePasses) {
    Display({{2, 2}});
    g().MyNowEx = g().MyMaxEx - 1;
    AtCounter(26, true, 2, 60, 1);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    const Long time = g().NowTime;
    // experience, then the level's growth: HP, attack, defence, speed, fullness, water
    QueueAll({Pick(1, 2), 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    Click();
    EXPECT_EQ(Bar(), "＋＋＋　レベルアップ！　＋＋＋");
    EXPECT_EQ(g().StoryNo, 400);
    EXPECT_EQ(g().MyLevel, 2);
    EXPECT_FALSE(g().LevelUpPending);
    EXPECT_EQ(g().NowTime, time);
    QueueAll({Pick(1, 6)});
    Click();
    EXPECT_EQ(g().NowTime, time);
    EXPECT_EQ(Bar(), "男性：お陰で、いい買い物ができました");
}

TEST_F(DealsTest, ASecondDealWithTheSameCustomer) {
    Display({{2, 3}, {3, 1}});
    AtCounter(26, true, 2, 60, 1);
    g().VisitorX = 315;
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    // Settled; then the second deal: a buyer again, whose first pick is the
    // arm just sold and is drawn again.
    QueueAll({Pick(1, 2), NoHunger, LightStrain, Pick(0, 6), Pick(5, 10), Pick(1, 25), Pick(0, 2), Pick(1, 25),
              Pick(1, 2), Pick(1, 2)});
    Click();
    EXPECT_EQ(Bar(), "男性：え～っとですね、フライパンを買いたいのですが…");
    EXPECT_EQ(g().StoryNo, 1);
    EXPECT_EQ(g().RepeatDeal, 2);
    EXPECT_EQ(g().LastDealArm, 2);
    EXPECT_EQ(g().DealArm, 3);
    EXPECT_EQ(g().VisitorX, 315) << "he stays where he stands";
    EXPECT_EQ(g().ShopPhase, ShopTalking);
    EXPECT_EQ(g().BuyCount, 1);
}

TEST_F(DealsTest, TheFarewellsClickSendsHimOut) {
    Display({{2, 3}});
    AtCounter(26, true, 2, 60, 1);
    g().StoryNo = 500;
    g().LastVisitorSprite = 8;
    NoDraws();
    Click();
    EXPECT_FALSE(g().EventBusy);
    EXPECT_EQ(g().LeaverSprite, 23);
    EXPECT_EQ(g().LastVisitorSprite, 26);
    EXPECT_EQ(g().VisitorSprite, VisitorLeft);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(g().StoryNo, 0);
    EXPECT_EQ(g().RepeatDeal, 0);
    EXPECT_EQ(shop().Timer1.Interval, g().SpeedInterval);
    EXPECT_EQ(Bar(), "");
}

// --- Fainting from the strain ---

TEST_F(DealsTest, TheBranchOfLifeRevivesHerAndTheFarewellStepFollows) {
    Display({{2, 3}});
    g().MySack[1] = {8, 2, false};  // two branches of life
    g().MyNowHp = 1;
    AtCounter(26, true, 2, 60, 1);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    QueueAll({Pick(1, 2), NoHunger, LightStrain});
    Click();
    EXPECT_EQ(Bar(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    EXPECT_EQ(g().MyNowHp, g().MyMaxHp / 2);
    EXPECT_EQ(g().MySack[1].HHaveSackNum, 1);
    EXPECT_FALSE(g().DieFlg);
    EXPECT_FALSE(g().ResumePending) << "the deal goes on";
    EXPECT_EQ(g().StoryNo, 500);
    EXPECT_EQ(g().MyGold, 360) << "the deal was settled before she fainted";
    NoDraws();
    Click();
    EXPECT_FALSE(g().EventBusy) << "the next click sends him out";
}

TEST_F(DealsTest, WithoutTheBranchTheFaintTakesOver) {
    Display({{2, 3}});
    g().MySack[1] = {9, 1, false};
    g().MyNowHp = 1;
    AtCounter(26, true, 2, 60, 1);
    Click();
    QueueAll({Pick(25, 51)});
    Answer(vbKeyY);
    QueueAll({Pick(1, 2), NoHunger, LightStrain});
    Click();
    EXPECT_EQ(Bar(), FaintLine);
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(g().NoClick, NoClickNone);
}

}  // namespace
}  // namespace q
