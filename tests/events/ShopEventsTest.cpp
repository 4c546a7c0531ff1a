#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "CaseName.h"
#include "deals/ShopFixture.h"
#include "core/Stats.h"

namespace q {
namespace {

using test::LightStrain;
using test::NoHunger;
using test::Pick;
using test::ShopTest;

constexpr const char* RobberDemand = "強盗：か…金を出せ！この袋に入れるんだ！は…、早くしやがれ！";
constexpr const char* RobberPaidLine = "強盗：そうそう、いい心掛けだ。また来るぜ、お嬢ちゃん";
constexpr const char* RobberBrokeLine = "強盗：金がないだとぉ！！ちっくしょう～～～！";
constexpr const char* RobberThreat = "強盗：ふざけやがって！目に物見せてやる！";
constexpr const char* RobberFlees = "強盗：ちくしょう！覚えてやがれ～！！";
constexpr const char* OrderTakenLine =
    "兵士：いい心掛けだ。期日になったら取りに来るからな！くれぐれも忘れんじゃねーぞ！！";
constexpr const char* OrderRefusedLine = "兵士：貴様、ふざけやがって！店を潰すように進言してやる！";
constexpr const char* RoundOverLine = "兵士：ふんっ！この町にはロクな武具屋がいねぇよ！";
constexpr const char* RevivedLine = "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！";

class ShopEventsTest : public ShopTest {
protected:
    ShopEventsTest() {
        OpenShop();
        g().AllArms[2].Name = "木の盾";     // list price 60
        g().AllArms[3].Name = "フライパン";  // list price 45
        g().MyFame = 4000;
        g().MyGold = 1000;
        // The battle is another part of the game: here it only matters that
        // the fight was entered.
        g().SetHandler("BattleDispatch", [this](Long) { Record("BattleDispatch"); });
    }

    // The visitor has walked in: what the shop's roll and clock leave before
    // his story starts with its first line.
    void Arrives(Long kind, Long picture) {
        g().EventBusy = true;
        g().ShopPhase = ShopTalking;
        shop().Timer1.Interval = 0;
        g().VisitorSprite = picture;
        g().VisitorX = 300;
        g().ShopEventKind = kind;
        g().StoryName = "ShopBuySell";
        shop().BuyANDSellItem();
    }
    // Clicks on until the story reaches the step, at most n clicks.
    void ClickTo(Long step, int n = 10) {
        for (int i = 0; i < n && g().StoryNo != step; ++i) Click();
        ASSERT_EQ(g().StoryNo, step);
    }
    std::string Choices() {
        const auto& l = g().frmUnderMes->LBLMessage;
        return l[0].Caption.get() + " " + l[1].Caption.get();
    }
    // The visitor has gone out of the door.
    void ExpectGone(Long leaver) {
        EXPECT_FALSE(g().EventBusy);
        EXPECT_EQ(g().ShopEventKind, ShopEventNone);
        EXPECT_EQ(g().StoryNo, 0);
        EXPECT_EQ(g().StoryName, "");
        EXPECT_EQ(g().LeaverSprite, leaver);
        EXPECT_EQ(Bar(), "");
        EXPECT_EQ(shop().Timer1.Interval, 500) << "the clock runs again";
    }
};

// --- The robber ---

TEST_F(ShopEventsTest, ThePaidRobberTakesHalfTheMoneyAndSomeFameAndWalksOff) {
    NoDraws();
    Arrives(ShopEventRobber, 169);
    EXPECT_EQ(Bar(), RobberDemand);
    EXPECT_EQ(g().StoryNo, 10);
    Click();
    EXPECT_EQ(Choices(), "金を出す(Y) 戦う(N/G)");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_TRUE(g().RobberCame) << "no second robber until the shop opens again";
    Click();
    EXPECT_EQ(g().StoryNo, StoryWaitNo) << "a plain click does not answer";
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), RobberPaidLine);
    EXPECT_EQ(g().MyGold, 500);
    EXPECT_EQ(g().MyFame, 2400);
    EXPECT_EQ(g().StoryNo, 1000);
    const Long before = g().NowTime;
    Draws({NoHunger, LightStrain});
    Click();
    EXPECT_EQ(g().NowTime, before + 2) << "the visit took two units";
    EXPECT_EQ(g().MyNowHp, 34) << "with strain";
    ExpectGone(166);
}

struct RobberyCase {
    const char* what;
    Long gold, fame;
    const char* line;
    Long goldAfter, fameAfter;
};
void PrintTo(const RobberyCase& c, std::ostream* os) { *os << c.what; }


class Robberies : public ShopEventsTest, public ::testing::WithParamInterface<RobberyCase> {};

TEST_P(Robberies, WhatHeTakes) {
    const RobberyCase& c = GetParam();
    g().MyGold = c.gold;
    g().MyFame = c.fame;
    NoDraws();
    Arrives(ShopEventRobber, 169);
    Click();
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().MyGold, c.goldAfter) << c.what;
    EXPECT_EQ(g().MyFame, c.fameAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Events, Robberies,
    ::testing::Values(RobberyCase{"half of odd money, rounded down", 1001, 99, RobberPaidLine, 501, 60},
                      RobberyCase{"a single Karim is taken whole", 1, 9, RobberPaidLine, 0, 6},
                      RobberyCase{"no money: a tenth of the fame instead", 0, 99, RobberBrokeLine, 0, 90}),
    q::test::NameBy(&RobberyCase::what));

TEST_F(ShopEventsTest, FightingTheRobberEntersTheBattleAndComesBackWhenHeIsBeaten) {
    NoDraws();
    Arrives(ShopEventRobber, 169);
    Click();
    Answer(vbKeyG);  // the default is to fight
    EXPECT_EQ(Bar(), RobberThreat);
    EXPECT_EQ(g().StoryNo, 50);
    EXPECT_EQ(g().StoryName, "Fighting");
    EXPECT_EQ(g().SavedStoryName, "ShopEvent");
    EXPECT_EQ(g().MyGold, 1000);
    Click();
    EXPECT_EQ(Calls("BattleDispatch"), 1);
    EXPECT_EQ(g().StoryNo, 51);

    // The battle won, it hands the story back as it does for every caller.
    g().EnemyName = "強盗";
    g().StoryName = "ShopEvent";
    g().StoryNo = 80;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(Bar(), RobberFlees);
    EXPECT_EQ(g().StoryNo, 1000);
    Draws({NoHunger, LightStrain});
    Click();
    ExpectGone(166);
    EXPECT_EQ(g().EnemyName, "");
    EXPECT_EQ(g().SavedStoryName, "");
}

TEST_F(ShopEventsTest, FaintingFromTheStrainAfterBeatingTheRobberIsNoRobbery) {
    NoDraws();
    Arrives(ShopEventRobber, 169);
    Click();
    Answer(vbKeyN);
    Click();
    g().StoryName = "ShopEvent";
    g().StoryNo = 80;
    AdvanceStory(g(), vbLeftButton);
    g().MyNowHp = 1;
    Draws({NoHunger, LightStrain});
    Click();
    EXPECT_EQ(Bar(), FaintLine);
    EXPECT_EQ(g().StoryName, "GameOver");
    Click();
    EXPECT_EQ(Bar(), ExhaustedLine) << "the toll of exhaustion, not the robber's";
    EXPECT_EQ(g().MyGold, 1000 - 50);
    EXPECT_EQ(g().MyFame, 2400);
}

TEST_F(ShopEventsTest, AnAnswerLeftOverFromAnEarlierDealIsNoAnswerToTheRobber) {
    g().AnswerKey = AnswerYes;  // the last customer was told yes
    g().SavedStoryNo = 11;
    NoDraws();
    Arrives(ShopEventRobber, 169);
    EXPECT_EQ(Bar(), RobberDemand);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_EQ(g().MyGold, 1000);
}

TEST_F(ShopEventsTest, InAutoModeTheVisitWaitsForHerClicks) {
    g().AutoNext = true;
    NoDraws();
    Arrives(ShopEventRobber, 169);
    EXPECT_TRUE(g().AutoBlocked);
    Click();
    EXPECT_FALSE(g().AutoAnswerPending) << "nobody answers the robber for her";
    host.Advance(10000);
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_EQ(g().MyGold, 1000);
}

// --- Questions and answers ---

struct AnswerCase {
    const char* what;
    Long kind;
    int key;
    bool accepted;
    Long next;  // the step after the visitor's answer line
};
void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.what; }


class Answers : public ShopEventsTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(Answers, EnterAndGTakeTheDefault) {
    const AnswerCase& c = GetParam();
    g().WorkNum = 20;
    g().WorkNum2 = 2;
    g().WorkNum3 = 7;
    g().ShopEventKind = c.kind;
    g().StoryName = "ShopEvent";
    g().EventBusy = true;
    g().StoryNo = 10;
    Click();
    if (c.kind == ShopEventRoyalOrder && !c.accepted) Draws({0.5});  // the fame a refusal costs
    else NoDraws();
    Answer(c.key);
    EXPECT_EQ(g().DealAccepted, c.accepted) << c.what;
    EXPECT_EQ(g().StoryNo, c.next) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Events, Answers,
                         ::testing::Values(AnswerCase{"robber Y: paid", ShopEventRobber, vbKeyY, true, 1000},
                                           AnswerCase{"robber N: a fight", ShopEventRobber, vbKeyN, false, 50},
                                           AnswerCase{"robber Enter: a fight", ShopEventRobber, vbKeyReturn, false, 50},
                                           AnswerCase{"robber G: a fight", ShopEventRobber, vbKeyG, false, 50},
                                           AnswerCase{"order Y: taken", ShopEventRoyalOrder, vbKeyY, true, 1000},
                                           AnswerCase{"order N: refused", ShopEventRoyalOrder, vbKeyN, false, 1000},
                                           AnswerCase{"order Enter: taken", ShopEventRoyalOrder, vbKeyReturn, true, 1000},
                                           AnswerCase{"order G: taken", ShopEventRoyalOrder, vbKeyG, true, 1000}),
    q::test::NameBy(&AnswerCase::what));

// --- The quit question over a visitor's question ---

struct QuitOverCase {
    const char* what;
    Long kind;
    Long picture;
    const char* yesLine;  // his line after a yes
};
void PrintTo(const QuitOverCase& c, std::ostream* os) { *os << c.what; }

class QuitOverAVisitor : public ShopEventsTest, public ::testing::WithParamInterface<QuitOverCase> {};

TEST_P(QuitOverAVisitor, NoGivesHisQuestionBackWhole) {
    const QuitOverCase& c = GetParam();
    g().WorkNum = 20;  // the order he named, should he be the soldier
    g().WorkNum2 = 2;
    g().WorkNum3 = 7;
    g().ShopEventKind = c.kind;
    g().VisitorSprite = c.picture;
    g().StoryName = "ShopEvent";
    g().EventBusy = true;
    g().StoryNo = 10;
    Click();
    const std::string asked = Choices();
    mEnd_Click(g());
    EXPECT_EQ(SecondBar(), "終了しますか？");
    Answer(vbKeyN);
    EXPECT_FALSE(g().GameEnding);
    EXPECT_EQ(g().StoryName, "ShopEvent");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_EQ(Choices(), asked);
    NoDraws();
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), c.yesLine);
    EXPECT_EQ(g().StoryNo, 1000);
}

INSTANTIATE_TEST_SUITE_P(Events, QuitOverAVisitor,
                         ::testing::Values(QuitOverCase{"robber", ShopEventRobber, 169, RobberPaidLine},
                                           QuitOverCase{"kings_soldier", ShopEventRoyalOrder, 8, OrderTakenLine}),
                         [](const auto& info) { return std::string(info.param.what); });

// --- The royal order ---

TEST_F(ShopEventsTest, ATakenOrderIsAddedBehindTheOrdersHeld) {
    for (auto& a : g().AllArms) a.LArmsList = false;
    for (Long i : {2, 3}) g().AllArms[size_t(i)].LArmsList = true;
    g().NowRequest = 1;
    g().MyRequestArms[0] = {3, 9, 12};
    NoDraws();
    Arrives(ShopEventRoyalOrder, 8);
    EXPECT_EQ(Bar(), "兵士：おい、貴様！ハノダ王からの命令だ");
    // Days 15 + 5, the one arm that may be ordered, 5 + 2 pieces.
    Draws({Pick(5, 46), Pick(0, 1), Pick(2, 11)});
    Click();
    EXPECT_EQ(Bar(), "兵士：20日後までに木の盾(3)を7個集めろ！");
    Click();
    EXPECT_EQ(Bar(), "兵士：当然断わらねぇだろうな？");
    Click();
    EXPECT_EQ(Choices(), "受ける(Y/G) 断わる(N)");
    Answer(vbKeyY);
    EXPECT_EQ(Bar(), OrderTakenLine);
    EXPECT_EQ(g().NowRequest, 2);
    EXPECT_EQ(g().MyRequestArms[0].SRequestArmsNo, 3) << "the order held stays first";
    EXPECT_EQ(g().MyRequestArms[1].SRequestArmsNo, 2);
    EXPECT_EQ(g().MyRequestArms[1].SRequestArmsNum, 7);
    EXPECT_EQ(g().MyRequestArms[1].SRequestArmsDay, 20);
    EXPECT_EQ(g().MyFame, 4000);
    Draws({NoHunger, LightStrain});
    Click();
    ExpectGone(5);
}

TEST_F(ShopEventsTest, ARefusedOrderCountsARefusalAndCostsFameByItsSize) {
    g().MyLevel = 10;
    g().WorkNum = 30;
    g().WorkNum2 = 2;
    g().WorkNum3 = 12;
    g().ShopEventKind = ShopEventRoyalOrder;
    g().StoryName = "ShopEvent";
    g().EventBusy = true;
    g().StoryNo = 10;
    Click();
    Draws({0.55});
    Answer(vbKeyN);
    EXPECT_EQ(Bar(), OrderRefusedLine);
    EXPECT_EQ(g().DeclineCount, 1);
    EXPECT_EQ(g().MyFame, 4000 - 185) << "Int((0.55 * 10 + 1 + 12) * 10)";
    EXPECT_EQ(g().NowRequest, 0);
}

// --- The collection ---

class CollectionTest : public ShopEventsTest {
protected:
    void Orders(std::vector<RequestArmsEntry> orders) {
        g().NowRequest = Long(orders.size());
        for (size_t i = 0; i < orders.size(); ++i) g().MyRequestArms[i] = orders[i];
    }
    // The warehouse holds only these pieces of the arm, or nothing.
    void Warehouse(Long arm, Long pieces) {
        g().MyStockArms[0] = {arm, pieces};
        g().HaveStock = pieces > 0 ? 1 : 0;
        g().HaveStockNum = pieces;
    }
    // The soldier has come for the orders due: the roll cleared his work.
    void SoldierComes() {
        g().WorkNum3 = 0;
        g().WorkIndex = 0;
        g().KeepRequestArms.fill({});
        Arrives(ShopEventCollection, 8);
        EXPECT_EQ(Bar(), "兵士：俺が今日、何のためにこんな店に来たのか分かってるよな？");
    }
};

TEST_F(CollectionTest, OneOrderOfEachKindLeavesOnlyTheOneNotDue) {
    Display({{2, 6}, {3, 1}});
    Orders({{4, 5, 3}, {2, 6, 0}, {3, 8, -1}});
    g().CloseOrder = 1;
    g().OderNG = 1;
    NoDraws();
    SoldierComes();
    Click();
    EXPECT_EQ(Bar(), "兵士：お！木の盾は、ちゃんと用意できてるじゃねぇか！");
    EXPECT_EQ(g().HaveShop, 1) << "all six went";
    EXPECT_EQ(g().HaveShopNum, 1);
    Click();
    EXPECT_EQ(Bar(), "兵士：とりあえず、木の盾が6個で、720カリムだな");
    EXPECT_EQ(g().MyGold, 1720);
    EXPECT_EQ(g().MyFame, 4000 + 6 * 15 + 1);
    // A sale and its experience; then on to the overdue order at once.
    Draws({Pick(0, 2), 0.5});
    Click();
    EXPECT_EQ(g().SellCount, 1);
    EXPECT_EQ(g().MyNowEx, 1);
    EXPECT_EQ(Bar(), "兵士：フライパンの期限はもう切れてるよなぁ？");
    Click();
    EXPECT_EQ(Bar(), "兵士：貴様、ふざけやがって！ハノダ王の注文は聞けねぇってのか？");
    EXPECT_EQ(g().MyFame, 4091 - 95) << "Int((0.5 * 1 + 1 + 8) * 10)";
    EXPECT_EQ(g().MyGold, 1720);
    EXPECT_EQ(g().HaveShopNum, 1) << "nothing taken for an overdue order";
    Click();
    EXPECT_EQ(Bar(), RoundOverLine);
    Draws({NoHunger, LightStrain});
    Click();
    EXPECT_EQ(g().NowRequest, 1);
    EXPECT_EQ(g().MyRequestArms[0].SRequestArmsNo, 4);
    EXPECT_EQ(g().MyRequestArms[0].SRequestArmsNum, 5);
    EXPECT_EQ(g().MyRequestArms[0].SRequestArmsDay, 3);
    EXPECT_EQ(g().MyRequestArms[1].SRequestArmsNo, 0) << "the rest is emptied";
    EXPECT_EQ(g().CloseOrder, 0);
    EXPECT_EQ(g().OderNG, 0);
    ExpectGone(5);
}

struct SupplyCase {
    const char* what;
    Long display, warehouse, wanted;
    std::vector<double> draws;
    Long displayLeft, warehouseLeft;
    Long supplied;
    Long fame;  // the change
    const char* line;
    Long after;  // the step after his line
};
void PrintTo(const SupplyCase& c, std::ostream* os) { *os << c.what; }


class Supplies : public CollectionTest, public ::testing::WithParamInterface<SupplyCase> {};

TEST_P(Supplies, DisplayFirstThenWarehouse) {
    const SupplyCase& c = GetParam();
    if (c.display > 0) Display({{0, 1}, {2, c.display}});
    else Display({{0, 1}});
    Warehouse(2, c.warehouse);
    Orders({{2, c.wanted, 0}});
    NoDraws();
    SoldierComes();
    for (double u : c.draws) g().rng.Queue(u);
    Click();
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().StoryNo, c.after) << c.what;
    EXPECT_EQ(g().WorkNum, c.supplied) << c.what;
    EXPECT_EQ(g().WorkNum4, c.wanted) << c.what;
    EXPECT_EQ(g().WorkNum2, c.supplied * 60 * 2) << c.what;
    EXPECT_EQ(g().HaveShopNum, 1 + c.displayLeft) << c.what;
    EXPECT_EQ(g().HaveShop, c.displayLeft > 0 ? 2 : 1) << c.what << ": an emptied entry is gone";
    EXPECT_EQ(g().HaveStockNum, c.warehouseLeft) << c.what;
    Click();
    EXPECT_EQ(g().MyFame, 4000 + c.fame) << c.what;
    EXPECT_EQ(g().MyGold, 1000 + c.supplied * 120) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Events, Supplies,
    ::testing::Values(
        SupplyCase{"all from the display", 12, 5, 10, {}, 2, 5, 10, 151,
                   "兵士：お！木の盾は、ちゃんと用意できてるじゃねぇか！", 60},
        SupplyCase{"the display's all, the rest from the warehouse", 4, 9, 10, {}, 0, 3, 10, 151,
                   "兵士：お！木の盾は、ちゃんと用意できてるじゃねぇか！", 60},
        SupplyCase{"4 on display and 3 in the warehouse: 3 missing", 4, 3, 10, {0.5}, 0, 0, 7, -22,
                   "兵士：木の盾が足りねぇじゃねぇか！この腐れ武具屋め！", 60},
        SupplyCase{"none anywhere: the whole order costs fame", 0, 0, 10, {0.5}, 0, 0, 0, -115,
                   "兵士：貴様！木の盾を、1個も用意してねぇとはどういうことだ？！", 80}),
    q::test::NameBy(&SupplyCase::what));

TEST_F(CollectionTest, ALevelUpAtADeliveryIsToldBeforeTheRoundGoesOn) {
    Display({{2, 5}});
    Orders({{2, 5, 0}});
    g().MyNowEx = g().MyMaxEx - 1;
    NoDraws();
    SoldierComes();
    Click();
    Click();
    g().rng.SetStrict(false);  // the level's growth draws freely
    Click();
    EXPECT_EQ(Bar(), "＋＋＋　レベルアップ！　＋＋＋");
    EXPECT_EQ(g().MyLevel, 2);
    EXPECT_FALSE(g().LevelUpPending);
    EXPECT_EQ(g().StoryNo, 10);
    Click();
    EXPECT_EQ(Bar(), RoundOverLine);
}

// --- The helping swordsman ---

TEST_F(ShopEventsTest, TheSwordsmanStaysBesideHerUntilTheShopCloses) {
    const Long before = g().NowTime;
    NoDraws();
    Arrives(ShopEventSwordsman, 33);
    EXPECT_EQ(Bar(), "剣士：やぁ！今日はユーの店の手伝いをしに来たよ");
    Click();
    EXPECT_EQ(Bar(), "剣士：閉店するまで、ユーと一緒に店番さ");
    Click();
    EXPECT_TRUE(g().HelperPresent);
    EXPECT_FALSE(g().EventBusy);
    EXPECT_FALSE(g().AutoBlocked);
    EXPECT_EQ(g().ShopEventKind, ShopEventNone);
    EXPECT_EQ(g().ShopPhase, ShopIdle);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(g().StoryNo, 0);
    EXPECT_EQ(Bar(), "");
    EXPECT_EQ(g().NowTime, before) << "he takes none of her time";
    EXPECT_EQ(shop().Timer1.Interval, 500);
    std::vector<int> drawn;
    for (const StageSprite& s : host.LastFrame().image) drawn.push_back(s.sprite);
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 30), 1) << "beside her";
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 33), 0) << "no longer at the counter";

    // He brings customers as a famous shop would: no gate before the roll.
    g().MyFame = 10;
    Draws({Pick(9999, 10000), Pick(1, 11), Pick(10, 60), Pick(5, 10)});
    shop().TimerEvent();
    EXPECT_EQ(g().VisitorSprite, 26);
}

// --- The end of a visit ---

TEST_F(ShopEventsTest, TheBranchRevivesHerAtTheEndOfAVisitAndTheVisitorLeavesAtTheNextClick) {
    g().MySack[1] = {8, 1, false};
    g().HaveSack = 2;
    g().MyNowHp = 1;
    NoDraws();
    Arrives(ShopEventRobber, 169);
    Click();
    Answer(vbKeyY);
    const Long before = g().NowTime;
    Draws({NoHunger, LightStrain});
    Click();
    EXPECT_EQ(Bar(), RevivedLine);
    EXPECT_EQ(g().MyNowHp, 17);
    EXPECT_EQ(g().HaveSack, 1) << "the branch is used up";
    EXPECT_EQ(g().StoryNo, 1001);
    EXPECT_TRUE(g().EventBusy);
    Click();  // no more time passes: strict draws
    ExpectGone(166);
    EXPECT_EQ(g().NowTime, before + 2);
}

}  // namespace
}  // namespace q
