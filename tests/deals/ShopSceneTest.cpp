#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>
#include <vector>

#include "CaseName.h"
#include "ShopFixture.h"
#include "core/Stats.h"
#include "core/World.h"

namespace q {
namespace {

using test::Pick;
using test::ShopTest;

using test::LightStrain;
using test::NoHunger;

// --- Coming home ---

struct HomeCase {
    const char* what;
    Long resume;
    std::array<Long, 3> order;
    Long theftState;  // of a theft on day 3, told when she comes home
    const char* line;
    Long maxShop, maxStock;
    Long orderAfter;
    Long theftAfter;
};

class ComingHome : public ShopTest, public ::testing::WithParamInterface<HomeCase> {};

TEST_P(ComingHome, TheGreetingByPrecedence) {
    const HomeCase& c = GetParam();
    g().NowDay = 5;
    g().ResumeCode[0] = c.resume;
    g().CarpenOrder = c.order;
    g().RobberyDay = {3, c.theftState};
    NoDraws();
    GoToPlace(g(), "Shop", "", "", "");
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().NowMaxShop, c.maxShop) << c.what;
    EXPECT_EQ(g().NowMaxStock, c.maxStock) << c.what;
    EXPECT_EQ(g().CarpenOrder[0], c.orderAfter) << c.what;
    EXPECT_EQ(g().RobberyDay[1], c.theftAfter) << c.what;
    EXPECT_EQ(g().ResumeCode[0], ResumeNone) << c.what;
    EXPECT_FALSE(g().ShopOpen) << c.what;
    EXPECT_EQ(g().PlaceSprite, 395) << c.what;
    EXPECT_EQ(g().HeroSprite, 92) << c.what;
    EXPECT_EQ(g().NoClick, NoClickNone) << c.what;
    EXPECT_EQ(g().StageForm, &shop()) << c.what;
    EXPECT_EQ(g().LastMessage, "イザベラ：さて、何をしようかしら") << c.what;
}

constexpr Long Prevented = IncidentPrevented, Settled = IncidentSettled;

INSTANTIATE_TEST_SUITE_P(
    Shop, ComingHome,
    ::testing::Values(
        HomeCase{"carried home after fainting: only that line", ResumeFainted, {1, 50, 60}, Prevented,
                 "イザベラ：無茶はいけないわね…。誰かが運んでくれたのかしら？", 20, 30, 1, Prevented},
        HomeCase{"a new shop sets the capacities", ResumeNone, {1, 50, 60}, IncidentScheduled,
                 "イザベラ：頼んでいた店が完成しているわ♪大工のグェンさん、ありがとう", 50, 60, 0, IncidentScheduled},
        HomeCase{"an extension adds to them", ResumeNone, {2, 10, 20}, IncidentScheduled,
                 "イザベラ：増築が完了しているわ♪大工のグェンさん、ありがとう", 30, 50, 0, IncidentScheduled},
        HomeCase{"the carpenter first; the theft waits", ResumeNone, {2, 10, 20}, Prevented,
                 "イザベラ：増築が完了しているわ♪大工のグェンさん、ありがとう", 30, 50, 0, Prevented},
        HomeCase{"the news of a theft", ResumeNone, {0, 0, 0}, Prevented,
                 "イザベラ：「3日に不法侵入者が現れましたが、取り押さえました」だって。警備会社に入っといて良かった～", 20, 30, 0,
                 Settled},
        HomeCase{"nothing to tell", ResumeNone, {0, 0, 0}, IncidentScheduled, "イザベラ：さて、何をしようかしら", 20, 30, 0,
                 IncidentScheduled}),
    q::test::NameBy(&HomeCase::what));

TEST_F(ShopTest, ComingHomeListsTheBagsArmsAndAppliesTheSettingsLeftPending) {
    for (auto& a : g().AllArms) a.LArmsList = false;
    g().HaveBag = 3;
    g().MyBag[0] = {40, 1};
    g().MyBag[1] = {7, 2};
    g().MyBag[2] = {300, 1};
    g().MyBag[3] = {9, 1};  // past the entries in use
    g().AutoNextChange = AutoNextTurnOn;
    g().FrontFLG = false;
    NoDraws();
    GoToPlace(g(), "Shop", "", "", "");
    EXPECT_EQ(CollectedArmsCount(g(), true), 3);
    EXPECT_TRUE(g().AllArms[40].LArmsList);
    EXPECT_TRUE(g().AllArms[7].LArmsList);
    EXPECT_TRUE(g().AllArms[300].LArmsList);
    EXPECT_TRUE(g().AutoNext);
    EXPECT_EQ(g().AutoNextChange, AutoNextNoChange);
    EXPECT_EQ(shop().Timer2.Interval, 0);
    EXPECT_EQ(shop().Timer1.Interval, 0);
}

// --- Closing ---

class ClosingTest : public ShopTest {
protected:
    ClosingTest() {
        OpenShop();
        g().AllArms[2].Name = "木の盾";
    }
};

TEST_F(ClosingTest, AnEmptyShopClosesAtOnce) {
    NoDraws();
    mClose_Click(g());
    EXPECT_FALSE(g().ShopOpen);
    EXPECT_EQ(Bar(), "イザベラ：さて、何をしようかしら");
    EXPECT_EQ(g().PlaceSprite, 395);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_EQ(g().AnswerKey, AnswerNone) << "closing asks nothing and answers nothing";
    EXPECT_EQ(shop().Timer1.Interval, 0);
    EXPECT_FALSE(g().MenuLocked);
}

TEST_F(ClosingTest, NothingInAutoMode) {
    g().AutoNext = true;
    mClose_Click(g());
    EXPECT_TRUE(g().ShopOpen);
    EXPECT_EQ(g().StoryName, "");
}

TEST_F(ClosingTest, WithACustomerTheDealEndsFirst) {
    Display({{2, 2}});
    AtCounter(26, true, 2, 60, 1);
    Click();
    ASSERT_EQ(g().StoryNo, StoryWaitNo);
    mClose_Click(g());
    EXPECT_EQ(SecondBar(), "イザベラ：今はお客さんがいるから、帰った時に閉店するわね");
    EXPECT_EQ(g().CloseRequest, CloseAfterCustomer);
    Click();
    EXPECT_EQ(g().StoryName, "ShopBuySell");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer) << "the question is open again";
    EXPECT_EQ(g().CloseRequest, CloseClosing);
    EXPECT_FALSE(g().frmUnderMes2.loaded());
    EXPECT_TRUE(g().ShopOpen);

    Draws({Pick(25, 51)});
    Answer(vbKeyY);
    Draws({Pick(1, 2), NoHunger, LightStrain, Pick(3, 6)});
    Click();
    EXPECT_EQ(Bar(), "男性：お陰で、いい買い物ができました");
    EXPECT_EQ(g().MyGold, 360);
    Click();
    EXPECT_EQ(SecondBar(), "イザベラ：ここらで一休みしましょう♪");
    EXPECT_TRUE(g().ShopOpen);
    Click();
    EXPECT_FALSE(g().ShopOpen);
    EXPECT_FALSE(g().EventBusy);
    EXPECT_EQ(g().CloseRequest, CloseNone);
    EXPECT_EQ(Bar(), "イザベラ：さて、何をしようかしら");
    EXPECT_FALSE(g().frmUnderMes2.loaded());
}

TEST_F(ClosingTest, AClickOnTheDealsChoiceWhileClosingsLineWaitsPutsTheDealBack) {
    Display({{2, 2}});
    AtCounter(26, true, 2, 60, 1);
    Click();
    ASSERT_EQ(g().StoryNo, StoryWaitNo);
    const std::string asked = g().frmUnderMes->LBLMessage[1].Caption;
    mClose_Click(g());
    ASSERT_EQ(SecondBar(), "イザベラ：今はお客さんがいるから、帰った時に閉店するわね");
    // Her line waits on the second bar; the click lands on the deal's "yes".
    g().frmUnderMes->LBLMessage[1].MouseDown(vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().StoryName, "ShopBuySell");
    EXPECT_EQ(g().StoryNo, StoryWaitNo);
    EXPECT_TRUE(g().WaitingAnswer) << "the question is open again, not answered";
    EXPECT_EQ(g().frmUnderMes->LBLMessage[1].Caption.get(), asked);
    EXPECT_EQ(g().AnswerKey, AnswerNone);
    EXPECT_FALSE(g().MenuLocked);
    EXPECT_EQ(g().CloseRequest, CloseClosing);
    EXPECT_FALSE(g().frmUnderMes2.loaded());
}

// --- The clock ---

TEST_F(ShopTest, ACustomerWalksInAtATenthOfASecondAndTalksAtTheCounter) {
    OpenShop();
    Display({{2, 2}});
    g().MyFame = 9999;
    Draws({Pick(9000, 10000), Pick(1, 11), Pick(10, 60), Pick(5, 10)});
    shop().Timer1_Timer();  // an idle tick brings him
    ASSERT_EQ(g().ShopPhase, ShopCustomerChosen);
    EXPECT_EQ(shop().Timer1.Interval, 500);
    shop().Timer1_Timer();
    EXPECT_EQ(g().ShopPhase, ShopWalkingIn);
    EXPECT_EQ(shop().Timer1.Interval, 100);
    int steps = 0;
    Long x = g().VisitorX;
    while (g().ShopPhase == ShopWalkingIn && steps < 50) {
        shop().Timer1_Timer();
        EXPECT_GE(g().VisitorX, x) << "he walks to the right";
        x = g().VisitorX;
        ++steps;
    }
    EXPECT_EQ(g().ShopPhase, ShopArrived);
    EXPECT_GE(g().VisitorX, 300);
    EXPECT_EQ(Bar(), "") << "nothing said while he walks in";
    Draws({Pick(1, 25), Pick(0, 1), Pick(1, 2)});
    shop().Timer1_Timer();
    EXPECT_EQ(g().ShopPhase, ShopTalking);
    EXPECT_EQ(shop().Timer1.Interval, 0) << "the clock stops while they talk";
    EXPECT_EQ(Bar(), "男性：おはようございます。" + g().AllArms[2].Name + "を買いたいのですが…");
}

// The draws of an idle tick at fame 9999 that brings a man who buys.
const std::array<double, 4> ACustomerComes{Pick(9000, 10000), Pick(1, 11), Pick(10, 60), Pick(5, 10)};

// Every idle tick counts its step of the clock, the one that brings a
// customer too, in either mode: twelve steps make a unit of time.
struct ArrivalStepCase {
    const char* what;
    bool autoMode;
    Long stepsBefore, stepsAfter, unitsPassed;
};

class TheArrivalTick : public ShopTest, public ::testing::WithParamInterface<ArrivalStepCase> {};

TEST_P(TheArrivalTick, CountsItsStepOfTheClock) {
    const ArrivalStepCase& c = GetParam();
    OpenShop();
    Display({{2, 2}});
    g().AutoNext = c.autoMode;
    g().MyFame = 9999;
    g().StepCount = c.stepsBefore;
    const Long time = g().NowTime;
    for (double u : ACustomerComes) g().rng.Queue(u);
    if (c.unitsPassed > 0) g().rng.Queue(NoHunger);
    Draws({});
    shop().Timer1_Timer();
    ASSERT_EQ(g().ShopPhase, ShopCustomerChosen);
    EXPECT_EQ(g().StepCount, c.stepsAfter);
    EXPECT_EQ(g().NowTime, time + c.unitsPassed);
    shop().Timer1_Timer();
    EXPECT_EQ(g().ShopPhase, ShopWalkingIn) << "the clock walks him in";
}

INSTANTIATE_TEST_SUITE_P(Shop, TheArrivalTick,
                         ::testing::Values(ArrivalStepCase{"a step", false, 5, 6, 0},
                                           ArrivalStepCase{"the twelfth step passes a unit", false, 11, 0, 1},
                                           ArrivalStepCase{"a step in auto mode", true, 5, 6, 0},
                                           ArrivalStepCase{"the twelfth step in auto mode", true, 11, 0, 1}),
                         q::test::NameBy(&ArrivalStepCase::what));

// She faints on the tick that brings a customer. He has not come in yet: he
// is sent away, and the faint plays at once and runs its course to the
// closed shop, by her clicks or, in auto mode, by the clock.
class AFaintOnTheArrivalTick : public ShopTest, public ::testing::WithParamInterface<bool> {
protected:
    // Starving with her last HP, on the step that passes a unit.
    void FaintsAsHeComes(bool autoMode) {
        OpenShop();
        Display({{2, 2}});
        g().AutoNext = autoMode;
        g().MyFame = 9999;
        g().MyNowHp = 1;
        g().MyNowBody = 0;
        g().MyNowWater = 0;
        g().StepCount = 11;
        Draws({ACustomerComes[0], ACustomerComes[1], ACustomerComes[2], ACustomerComes[3]});
        shop().Timer1_Timer();
    }
};

TEST_P(AFaintOnTheArrivalTick, SendsHimAwayAndTheFaintRunsItsCourse) {
    const bool autoMode = GetParam();
    FaintsAsHeComes(autoMode);
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(Bar(), FaintLine);
    EXPECT_FALSE(g().EventBusy) << "nobody is in the shop";
    EXPECT_EQ(g().VisitorSprite, VisitorLeft);
    EXPECT_EQ(g().ShopPhase, ShopIdle);
    EXPECT_FALSE(shop().Timer1.Enabled);
    g().rng.SetStrict(false);  // the day she sleeps through draws freely
    if (autoMode) {
        host.Advance(10000);
    } else {
        Click();
        EXPECT_EQ(Bar(), ExhaustedLine);
        Click();
    }
    EXPECT_FALSE(g().ShopOpen) << "the faint closes the shop";
    EXPECT_FALSE(g().DieFlg);
    EXPECT_EQ(g().MyNowHp, g().MyMaxHp);
    EXPECT_EQ(g().StoryName, "");
    EXPECT_FALSE(g().EventBusy);
}

INSTANTIATE_TEST_SUITE_P(Shop, AFaintOnTheArrivalTick, ::testing::Values(false, true),
                         q::test::NameBy([](bool autoMode) { return autoMode ? "AutoMode" : "ByClicks"; }));

// Auto mode switched on (the A key) while the faint waits for her click,
// the shop's clock stopped: auto mode takes no clicks in the shop, but this
// one still moves the faint on to the closed shop, as nothing else would.
class AutoModeOverAFaint : public AFaintOnTheArrivalTick {
protected:
    // A click on the bar as the player gives it, through auto mode's filter.
    void BarClick() { MessageInput(g(), vbLeftButton, 0, InputFormClick); }
};

TEST_P(AutoModeOverAFaint, HerClicksStillRunItToItsEnd) {
    const int clicks = GetParam() ? 1 : 0;
    FaintsAsHeComes(false);
    for (int i = 0; i < clicks; ++i) Click();
    EXPECT_EQ(Bar(), clicks ? ExhaustedLine : FaintLine);
    g().rng.SetStrict(false);
    MessageInput(g(), 'A', 0, InputKey);
    ASSERT_TRUE(g().AutoNext);
    ASSERT_FALSE(g().AutoBlocked);
    host.Advance(10000);
    BarClick();
    host.Advance(10000);  // the next line, if any, auto mode gives its wait
    EXPECT_FALSE(g().ShopOpen) << "the faint closes the shop";
    EXPECT_FALSE(g().DieFlg);
    EXPECT_EQ(g().StoryName, "");
}

INSTANTIATE_TEST_SUITE_P(Shop, AutoModeOverAFaint, ::testing::Values(false, true),
                         q::test::NameBy([](bool second) { return second ? "AtItsSecondLine" : "AtItsFirstLine"; }));

// With a branch of life she comes to on that tick, and the customer chosen
// at the door walks in once the clock runs again.
TEST_F(AFaintOnTheArrivalTick, WithABranchSheComesToAndHeStillWalksIn) {
    g().MySack[1] = {8, 1, false};
    FaintsAsHeComes(false);
    EXPECT_EQ(Bar(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    EXPECT_FALSE(g().DieFlg);
    EXPECT_TRUE(g().EventBusy);
    EXPECT_EQ(g().ShopPhase, ShopCustomerChosen);
    Click();
    EXPECT_TRUE(shop().Timer1.Enabled);
    shop().Timer1_Timer();
    EXPECT_EQ(g().ShopPhase, ShopWalkingIn);
}

TEST_F(ShopTest, AutoModeTalksTheDealByItselfALineEveryOneAndAHalfToTwoSeconds) {
    OpenShop();
    Display({{2, 2}});
    g().AutoNext = true;
    AtCounter(26, true, 2, 60, 1);
    host.Flush();
    // Y: agreed; settled; no second deal. Then the idle clock draws freely.
    for (double u : {Pick(25, 51), Pick(1, 2), NoHunger, LightStrain, Pick(3, 6)}) g().rng.Queue(u);
    host.Advance(12000);
    EXPECT_EQ(g().BuyCount, 1);
    EXPECT_EQ(g().MyGold, 360);

    // The lines, each with its virtual time.
    const std::regex barLine(R"(\[\s*([0-9.]+)\] frmUnderMes: (.*))");
    std::vector<std::pair<double, std::string>> lines;
    const std::string t = transcript.str();
    for (auto it = std::sregex_iterator(t.begin(), t.end(), barLine); it != std::sregex_iterator(); ++it)
        lines.emplace_back(std::stod((*it)[1]), (*it)[2]);
    std::vector<std::string> said;
    size_t first = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].second.find("男性：") == 0 && said.empty()) first = i;
        if (!said.empty() || lines[i].second.find("男性：") == 0) said.push_back(lines[i].second);
    }
    ASSERT_GE(said.size(), 4u) << t;
    EXPECT_EQ(said[1], "[売る(Y/G)] [売らない(N)]");
    EXPECT_EQ(said[2], "男性：ありがとう");
    EXPECT_EQ(said[3], "男性：お陰で、いい買い物ができました");
    for (size_t i = first + 1; i < first + 4; ++i) {
        const double gap = lines[i].first - lines[i - 1].first;
        EXPECT_GE(gap, 1.5) << lines[i].second;
        EXPECT_LE(gap, 2.0) << lines[i].second;
    }
}

// S during a deal in auto mode changes the speed, but the clock the deal
// stopped stays stopped: the deal's lines keep the auto-mode wait.
TEST_F(ShopTest, TheSpeedKeyLeavesTheClockADealStoppedAlone) {
    OpenShop();
    Display({{2, 2}});
    g().AutoNext = true;
    AtCounter(26, true, 2, 60, 1);
    host.Flush();
    ASSERT_FALSE(shop().Timer1.running());
    MessageInput(g(), 83, 0, InputKey);  // S
    EXPECT_EQ(g().SpeedFlg, 0);
    EXPECT_FALSE(shop().Timer1.running()) << "the deal's wait is not cut short";
    for (double u : {Pick(25, 51), Pick(1, 2), NoHunger, LightStrain, Pick(3, 6)}) g().rng.Queue(u);
    host.Advance(1400);
    EXPECT_EQ(g().StoryNo, 1) << "no line before the auto-mode wait is over";
    host.Advance(12000);
    EXPECT_EQ(g().BuyCount, 1);
}

TEST_F(ShopTest, TheSpeedKeyChangesTheRunningClock) {
    OpenShop();
    ASSERT_TRUE(shop().Timer1.running());
    MessageInput(g(), 83, 0, InputKey);  // S
    EXPECT_EQ(shop().Timer1.Interval, 200);
    EXPECT_TRUE(shop().Timer1.running());
}

// --- Reviving ---

TEST_F(ShopTest, TheBranchRevivesHerOnTheIdleClockAndTheClickRestartsIt) {
    OpenShop();
    g().MySack[1] = {8, 1, false};
    g().MyNowHp = 1;
    g().StepCount = 11;  // this tick passes a unit
    g().MyFame = 10;
    // nobody comes; hunger; the faint from thirst is forced below
    g().MyNowWater = 0;
    g().MyNowBody = 1;
    Draws({Pick(1, 4), Pick(0, 5)});
    shop().Timer1_Timer();
    EXPECT_EQ(Bar(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    EXPECT_EQ(g().HaveSack, 2) << "the branch is used up";
    EXPECT_EQ(g().MyNowHp, 17);
    EXPECT_TRUE(g().ResumePending);
    EXPECT_FALSE(shop().Timer1.Enabled);
    Click();
    EXPECT_FALSE(g().ResumePending);
    EXPECT_TRUE(shop().Timer1.Enabled);
    EXPECT_EQ(shop().Timer1.Interval, 500);
}

// That click restarts the clock in auto mode too, switched on meanwhile.
TEST_F(ShopTest, AutoModeSwitchedOnAfterTheBranchLeavesTheClickThatRestartsTheClock) {
    OpenShop();
    g().MySack[1] = {8, 1, false};
    g().MyNowHp = 1;
    g().StepCount = 11;
    g().MyFame = 10;
    g().MyNowWater = 0;
    g().MyNowBody = 1;
    Draws({Pick(1, 4), Pick(0, 5)});
    shop().Timer1_Timer();
    ASSERT_TRUE(g().ResumePending);
    MessageInput(g(), 'A', 0, InputKey);
    ASSERT_TRUE(g().AutoNext);
    MessageInput(g(), vbLeftButton, 0, InputFormClick);  // a click on the bar
    EXPECT_FALSE(g().ResumePending);
    EXPECT_TRUE(shop().Timer1.Enabled);
    EXPECT_EQ(shop().Timer1.Interval, g().SpeedInterval);
}

TEST_F(ShopTest, ABranchGoneBeforeTheRevivalLeavesHerFainted) {
    // She fainted with a branch in the sack, and it left the sack before
    // the clock could use it: the faint goes on, and nothing else leaves the sack.
    OpenShop();
    g().AutoNext = true;
    g().DieFlg = true;
    g().RevivePending = true;
    g().MyNowHp = 0;
    g().StoryNo = 0;
    g().WorkIndex = 1;  // where the branch was
    const auto sack = g().MySack;
    const Long kinds = g().HaveSack;
    NoDraws();
    shop().Timer1_Timer();
    EXPECT_EQ(g().StoryName, "GameOver");
    EXPECT_FALSE(g().RevivePending);
    EXPECT_EQ(g().StoryNo, 1);
    EXPECT_EQ(Bar(), ExhaustedLine) << "the faint's next step in auto mode";
    EXPECT_EQ(g().HaveSack, kinds);
    EXPECT_EQ(g().MySack[1].HHaveSackNum, sack[1].HHaveSackNum);
}

}  // namespace
}  // namespace q
