#include <gtest/gtest.h>

#include <algorithm>

#include "CaseName.h"
#include "Fixture.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/frmOthers.h"

namespace q {
namespace {

// A scene form with the clocks the story protocol addresses by name.
class TestStage : public GameForm {
public:
    TestStage(Game& g, std::string name) : GameForm(g, std::move(name)) {
        add(Timer1);
        add(Timer3);
        Timer1.OnTimer = [this] { ConsumeAutoAdvance(game); };
        Timer3.OnTimer = [this] {
            if (EndResumeWait(game)) Timer1.OnTimer();
        };
    }
    Timer Timer1{*this, "Timer1"};
    Timer Timer3{*this, "Timer3"};
};

class StoryInputTest : public test::GameTest {
protected:
    StoryInputTest() {
        PlaceMessageBars(g());
        // The menu itself has its own tests; here it only matters that it opens.
        g().SetHandler("ShowPopupMenu", [this](Long) { Record("ShowPopupMenu"); });
    }

    // Puts a test stage up as the scene, as the scenes do when they load.
    TestStage& Stage(const std::string& scene) {
        stage = std::make_unique<TestStage>(g(), scene);
        stage->Show();
        g().StageForm = stage.get();
        g().SceneFormName = scene;
        return *stage;
    }
    int Calls(const std::string& name) const {
        return int(std::count(calls.begin(), calls.end(), name));
    }
    // A story that records its steps and shows one line per step; at step 2 it asks.
    void TwoStepStory() {
        g().SetHandler("frmShop.BuyANDSell", [this](Long) {
            steps.push_back(g().StoryNo);
            if (g().StoryNo == 2) {
                ShowMessage(g(), "客：これを買います。いいですか？", "売る", "売らない", true);
                g().WaitingAnswer = true;
                g().AnswerKey = 0;
                g().StoryNo = StoryWaitNo;
            } else {
                ShowMessage(g(), "客：step " + std::to_string(g().StoryNo));
            }
            AutoAdvanceWait(g());
        });
        g().StoryName = "ShopBuySell";
        g().StoryNo = 0;
    }

    std::unique_ptr<TestStage> stage;
    std::vector<Long> steps;
};

struct GateCase {
    const char* what;
    Long noClick;
    int button;
    Long storyNo;
    Long answerKey;
    bool waiting;
    bool autoNext;
    Long expectStoryNo;  // after the click
    bool popup;          // the popup menu opened
};

class Gates : public StoryInputTest, public ::testing::WithParamInterface<GateCase> {};

TEST_P(Gates, InTheirOrder) {
    const GateCase& c = GetParam();
    g().NoClick = c.noClick;
    g().StoryNo = c.storyNo;
    g().AnswerKey = c.answerKey;
    g().WaitingAnswer = c.waiting;
    g().AutoNext = c.autoNext;
    AdvanceStory(g(), c.button);
    EXPECT_EQ(g().StoryNo, c.expectStoryNo) << c.what;
    EXPECT_EQ(Calls("ShowPopupMenu"), c.popup ? 1 : 0) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Story, Gates,
    ::testing::Values(
        GateCase{"free left click counts", 0, 1, 5, 0, false, false, 6, false},
        GateCase{"free right click opens the menu", 0, 2, 5, 0, false, false, 5, true},
        GateCase{"NoClick 3 ignores all", 3, 1, 5, 0, false, false, 5, false},
        GateCase{"NoClick 2 ignores right", 2, 2, 5, 0, false, false, 5, false},
        GateCase{"NoClick 2 lets left through", 2, 1, 5, 0, false, false, 6, false},
        GateCase{"NoClick 1 ignores left", 1, 1, 5, 0, false, false, 5, false},
        GateCase{"NoClick 1 lets an answered question through", 1, 1, 300000, 89, false, false, 300001, false},
        GateCase{"parked without answer: left ignored", 0, 1, 300000, 0, false, false, 300000, false},
        GateCase{"parked without answer: right opens the menu", 0, 2, 300000, 0, false, false, 300000, true},
        GateCase{"a question open refuses the left click", 0, 1, 5, 0, true, false, 5, false},
        GateCase{"NoClick 4 without auto mode ignores every button", 4, 2, 5, 0, false, false, 5, false},
        GateCase{"NoClick 4 in auto mode counts even when parked", 4, 1, 300000, 0, false, true, 300001, false},
        GateCase{"NoClick 4 in auto mode still respects WaitingAnswer", 4, 1, 300000, 0, true, true, 300000, false},
        GateCase{"a finished story gives 1000000", 0, 1, 999999, 0, false, false, 1000000, false},
        GateCase{"past the end goes back to 999999 first", 0, 1, 99999999, 0, false, false, 1000000, false},
        GateCase{"middle button passes the gates and does nothing", 0, 4, 5, 0, false, false, 5, false}),
    q::test::NameBy(&GateCase::what));

struct RowCase {
    const char* storyName;
    const char* eventField;
    const char* boardCommand;
    const char* eventName;
    const char* handler;
};

class DispatchRows : public StoryInputTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(DispatchRows, FirstMatchWins) {
    const RowCase& c = GetParam();
    g().StoryName = c.storyName;
    g().EventField = c.eventField;
    g().BoardCommand = c.boardCommand;
    g().EventName = c.eventName;
    g().StoryNo = 3;
    // A handler that is already built records itself like a stand-in.
    g().SetHandler(c.handler, [this, h = std::string(c.handler)](Long) { Record(h); });
    AdvanceStory(g(), vbLeftButton);
    ASSERT_EQ(calls.size(), 1u) << c.storyName;
    EXPECT_EQ(calls[0], c.handler) << c.storyName;
}

INSTANTIATE_TEST_SUITE_P(
    Story, DispatchRows,
    ::testing::Values(
        RowCase{"Opening", "Umi", "", "", "frmShop.OpeningGo"},
        RowCase{"ShopClose", "", "", "", "frmShop.ShopClose"},
        RowCase{"ShopBuySell", "Siro", "Save", "GameStart", "frmShop.BuyANDSell"},
        RowCase{"ShopEvent", "", "", "", "frmShop.EventStart"},
        RowCase{"Fighting", "Umi", "", "", "frmEvent.BoardEvent"},
        RowCase{"BoardEvent", "Siro", "", "", "frmEvent.BoardEvent"},
        RowCase{"BuyItem", "Board", "Save", "", "frmEvent.BoardEvent"},
        RowCase{"BoardEvent", "Board", "", "", "EnterFacility"},
        RowCase{"BuyItem", "", "", "", "frmItemShop.cmdBuy_Click"},
        RowCase{"BagDump", "", "", "", "frmBag.cmdDump_Click"},
        RowCase{"StockDump", "", "", "", "frmStockArms.cmdDump_Click"},
        RowCase{"SackDump", "", "", "", "frmSack.cmdDump_Click"},
        RowCase{"SackUse", "", "", "", "frmSack.cmdUse_Click"},
        RowCase{"SpeechTurn", "", "", "", "frmItemShop.SpeechTurn"},
        RowCase{"ManSpeech", "", "", "GameStart", "frmField.ManTurn"},
        RowCase{"BossTurn", "", "", "", "frmField.BossTurn"},
        RowCase{"NextFloor", "", "", "", "frmField.NextFloorTurn"},
        RowCase{"Assist", "", "", "", "frmField.AssistTurn"},
        RowCase{"ItemGet", "", "", "GameStart", "frmUnderMes3.GameMessage"},
        RowCase{"ItemGet", "", "", "", "frmField.ItemTurn"},
        RowCase{"MonsterTurn", "", "", "", "BattleDispatch"},
        RowCase{"ItemTurn", "", "", "", "BattleDispatch"},
        RowCase{"EndingSpeech", "", "", "", "frmField.EndingTurn"},
        RowCase{"GameOver", "", "", "GameStart", "frmUnderMes3.GameMessage"},
        RowCase{"GameOver", "", "", "", "GameOverStory"},
        // A question asked over a board talk, the board's save dialogue or the
        // number game takes its own answer.
        RowCase{"VBEnd", "Umi", "", "", "QuitStory"},
        RowCase{"VBEnd", "Siro", "Save", "GameStart", "QuitStory"},
        RowCase{"SackDump", "Siro", "", "", "frmSack.cmdDump_Click"},
        RowCase{"SackDump", "Board", "Save", "", "frmSack.cmdDump_Click"},
        RowCase{"SackUse", "Umi", "", "GameStart", "frmSack.cmdUse_Click"},
        RowCase{"BagDump", "Siro", "Save", "", "frmBag.cmdDump_Click"},
        RowCase{"StockDump", "Umi", "", "GameStart", "frmStockArms.cmdDump_Click"}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.storyName, c.eventField, c.boardCommand, c.eventName); }));

TEST_F(StoryInputTest, UnknownStoryOnlyCountsTheStep) {
    g().StoryName = "Nobody";
    g().StoryNo = 7;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(g().StoryNo, 8);
    EXPECT_TRUE(calls.empty());
}

TEST_F(StoryInputTest, NumberGameHoldsStepTen) {
    g().SetHandler("frmUnderMes3.GameMessage", [this](Long) { Record("frmUnderMes3.GameMessage"); });
    g().EventName = "GameStart";
    g().StoryName = "Anything";
    g().StoryNo = 10;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(g().StoryNo, 10);
    EXPECT_TRUE(calls.empty());
    g().StoryNo = 4;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(Calls("frmUnderMes3.GameMessage"), 1);
}

TEST_F(StoryInputTest, HeroTurnWaitsForTheHeroinesChoice) {
    // The battle has its own tests; here it only matters that it is reached.
    g().SetHandler("BattleDispatch", [this](Long) { Record("BattleDispatch"); });
    g().StoryName = "HeroTurn";
    g().BattlePhase = 1;
    g().StoryNo = 5;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(g().StoryNo, 0);
    EXPECT_TRUE(calls.empty());
    g().AnswerKey = 89;
    AdvanceStory(g(), vbLeftButton);
    EXPECT_EQ(g().StoryNo, 1);
    EXPECT_EQ(Calls("BattleDispatch"), 1);
}

struct AnswerCase {
    const char* what;
    Long startNo;
    int key;
    const char* enemy;
    Long expectNo;
    Long expectAnswer;
};

class QuestionSteps : public StoryInputTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(QuestionSteps, AnAnswerComesBackTwoStepsOn) {
    const AnswerCase& c = GetParam();
    int calls = 0;
    g().SetHandler("frmShop.BuyANDSell", [&](Long) { ++calls; });
    g().StoryName = "ShopBuySell";
    g().StoryNo = c.startNo;
    g().EnemyName = c.enemy;
    ShowMessage(g(), "売りますか？", "売る", "売らない", true);
    g().WaitingAnswer = true;
    MessageInput(g(), c.key, 0, InputKey);
    EXPECT_EQ(g().StoryNo, c.expectNo) << c.what;
    EXPECT_EQ(g().AnswerKey, c.expectAnswer) << c.what;
    EXPECT_EQ(calls, c.expectNo == c.startNo ? 0 : 1) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Story, QuestionSteps,
                         ::testing::Values(AnswerCase{"left at step 5", 5, vbKeyY, "", 7, 89},
                                           AnswerCase{"parked", 300000, vbKeyN, "", 300002, 78},
                                           AnswerCase{"Enter", 300000, vbKeyReturn, "", 300002, 13},
                                           AnswerCase{"G", 300000, vbKeyG, "", 300002, 71},
                                           AnswerCase{"the robber's name alone refuses no N", 300000, vbKeyN, "強盗", 300002, 78},
                                           AnswerCase{"the robber takes yes", 300000, vbKeyY, "強盗", 300002, 89},
                                           AnswerCase{"other keys do nothing", 300000, 65 + 1, "", 300000, 0}),
    q::test::NameBy(&AnswerCase::what));

TEST_F(StoryInputTest, YAndNWithoutAQuestionDoNothingGAndEnterAdvance) {
    g().StoryName = "Nobody";
    g().StoryNo = 1;
    for (int key : {vbKeyY, vbKeyN}) MessageInput(g(), key, 0, InputKey);
    EXPECT_EQ(g().StoryNo, 1);
    MessageInput(g(), vbKeyG, 0, InputKey);
    MessageInput(g(), vbKeyReturn, 0, InputKey);
    EXPECT_EQ(g().StoryNo, 3);
    MessageInput(g(), vbKeyApps, 0, InputKey);
    EXPECT_EQ(Calls("ShowPopupMenu"), 1);
}

TEST_F(StoryInputTest, SecondBarAlwaysTakesNAndUnloads) {
    g().EnemyName = "強盗";
    g().UseSecondBar = true;
    g().StoryNo = 300000;
    ShowMessage(g(), "終了しますか？", "終了する", "終了しない", false);
    g().WaitingAnswer = true;
    KeyToClick(g(), vbKeyN);
    EXPECT_EQ(g().AnswerKey2, 78);
    EXPECT_FALSE(g().frmUnderMes2.loaded());
}

struct FilterCase {
    const char* scene;
    int input;
    int shift;
    int kind;
    bool reaches;  // the click or key reaches the story (or its menu)
};

class AutoFilter : public StoryInputTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(AutoFilter, ShopAndFieldTakeOnlyTheGlobalKeysRightClicksAndApps) {
    const FilterCase& c = GetParam();
    Stage(c.scene);
    g().AutoNext = true;
    g().StoryName = "Nobody";
    g().StoryNo = 1;
    MessageInput(g(), c.input, c.shift, c.kind);
    const bool reached = g().StoryNo == 2 || Calls("ShowPopupMenu") == 1;
    EXPECT_EQ(reached, c.reaches) << c.scene << " " << c.input << "/" << c.kind;
    EXPECT_EQ(g().ClickTaken, !c.reaches && c.kind != InputKey ? true : g().ClickTaken);
}

INSTANTIATE_TEST_SUITE_P(Story, AutoFilter,
                         ::testing::Values(FilterCase{"frmShop", vbLeftButton, 0, InputFormClick, false},
                                           FilterCase{"frmShop", vbRightButton, 0, InputFormClick, true},
                                           FilterCase{"frmField", vbKeyG, 0, InputKey, false},
                                           FilterCase{"frmField", vbKeyReturn, 0, InputKey, false},
                                           FilterCase{"frmField", vbKeyApps, 0, InputKey, true},
                                           FilterCase{"frmEvent", vbLeftButton, 0, InputFormClick, true},
                                           FilterCase{"frmEvent", vbKeyG, 0, InputKey, true}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.scene, "Input", c.input, "Shift", c.shift); }));

TEST_F(StoryInputTest, AutoModeSettingKeysStillWork) {
    Stage("frmShop");
    g().AutoNext = true;
    ApplySpeed(g(), 1);
    MessageInput(g(), 'S', 0, InputKey);
    EXPECT_EQ(g().SpeedFlg, 0);
    MessageInput(g(), 'A', 0, InputKey);
    EXPECT_FALSE(g().AutoNext);
}

TEST_F(StoryInputTest, BusyAutoDropsAnswerKeysAndLeftClicksOutsideShopAndField) {
    Stage("frmEvent");
    g().AutoNext = true;
    g().EventBusy = true;
    g().StoryName = "Nobody";
    g().StoryNo = 1;
    MessageInput(g(), vbKeyG, 0, InputKey);
    MessageInput(g(), vbLeftButton, 0, InputFormClick);
    EXPECT_EQ(g().StoryNo, 1);
    MessageInput(g(), vbLeftButton, 0, InputLabelClick);
    EXPECT_TRUE(g().ClickTaken);
    g().AutoBlocked = true;  // blocked auto mode lets everything through
    MessageInput(g(), vbKeyG, 0, InputKey);
    EXPECT_EQ(g().StoryNo, 2);
}

TEST_F(StoryInputTest, DuringTheOpeningOnlyEscWorks) {
    g().NewGame = true;
    g().StoryName = "Nobody";
    ApplySpeed(g(), 1);
    for (int key : {int('S'), int('A'), int('C'), int('F'), int('M'), int('T'), vbKeyF5}) MessageInput(g(), key, 0, InputKey);
    MessageInput(g(), '1', 1, InputKey);
    MessageInput(g(), 'H', 1, InputKey);
    MessageInput(g(), vbKeyApps, 0, InputKey);
    MessageInput(g(), vbRightButton, 0, InputFormClick);
    EXPECT_EQ(g().SpeedFlg, 1);
    EXPECT_FALSE(g().AutoNext);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(host.Documents().empty());
    EXPECT_EQ(transcript.str().find("inputbox"), std::string::npos);
    MessageInput(g(), vbKeyEscape, 0, InputKey);
    EXPECT_TRUE(g().Ended());
    EXPECT_TRUE(g().TimersSuspended);
}

TEST_F(StoryInputTest, ResumePendingOnlyClearsTheBarAndRestartsTheClock) {
    TestStage& s = Stage("frmShop");
    ApplySpeed(g(), 1);
    g().ResumePending = true;
    g().StoryName = "Nobody";
    g().StoryNo = 4;
    ShowMessage(g(), "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    AdvanceStory(g(), vbRightButton);
    EXPECT_EQ(g().frmUnderMes->LBLMessage[0].Caption.get(), "");
    EXPECT_TRUE(s.Timer1.Enabled);
    EXPECT_EQ(s.Timer1.Interval.get(), 500);
    EXPECT_FALSE(g().ResumePending);
    EXPECT_EQ(Calls("ShowPopupMenu"), 0);
    EXPECT_EQ(g().StoryNo, 4);
    AdvanceStory(g(), vbRightButton);
    EXPECT_EQ(Calls("ShowPopupMenu"), 1);
}

TEST_F(StoryInputTest, SpeedKeyCyclesNormalFastSlowNormal) {
    ApplySpeed(g(), 1);
    const Long expected[][3] = {{0, 200, 1000}, {2, 1000, 3000}, {1, 500, 2000}};
    for (const auto& e : expected) {
        MessageInput(g(), 'S', 0, InputKey);
        EXPECT_EQ(g().SpeedFlg, e[0]);
        EXPECT_EQ(g().SpeedInterval, e[1]);
        EXPECT_EQ(g().AutoWait, e[2]);
    }
    EXPECT_FALSE(g().frmOthers.loaded());  // loaded for the key, unloaded again
    EXPECT_FALSE(g().KeyInvoked);
}

TEST_F(StoryInputTest, ShiftDigitsOpenTheirTabs) {
    // The status command opens the status page when no list window is open.
    g().SetHandler("frmMenu.mStatus_Click", [this](Long) {
        Record("frmMenu.mStatus_Click");
        g().ListName = g().ListName.empty() ? "frmStatus" : "";
    });
    // The frame has its own tests; here only the order of the calls matters.
    g().SetHandler("frmFrame.cmdFrame_Click", [this](Long) { Record("frmFrame.cmdFrame_Click"); });
    MessageInput(g(), '5', 1, InputKey);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "frmMenu.mStatus_Click");
    EXPECT_EQ(calls[1], "frmFrame.cmdFrame_Click");
    calls.clear();
    g().ListName = "frmStatus";
    MessageInput(g(), '1', 1, InputKey);  // the open tab again closes the windows
    EXPECT_EQ(calls, std::vector<std::string>{"frmMenu.mStatus_Click"});
    calls.clear();
    g().ListConfirm = true;
    MessageInput(g(), '7', 1, InputKey);
    EXPECT_TRUE(calls.empty());
    MessageInput(g(), '7', 2, InputKey);  // Ctrl is not Shift: no tab
    EXPECT_TRUE(calls.empty());
}

TEST_F(StoryInputTest, F5ShowsTheStateLineAndShiftHOpensHelp) {
    g().StoryName = "ShopBuySell";
    g().StoryNo = 12;
    g().FieldName = "Hanoda";
    g().EventField = "Shop";
    g().NoClick = 3;
    MessageInput(g(), vbKeyF5, 0, InputKey);
    EXPECT_NE(transcript.str().find("inputbox \"デバッグメッセージ\" [・StoryName = ShopBuySell　・StoryNo = 12　・FieldName = "
                                    "Hanoda　・EventField = Shop　・EventName = 　・NoClick = 3]"),
              std::string::npos)
        << transcript.str();
    MessageInput(g(), 'H', 1, InputKey);
    EXPECT_EQ(host.Documents(), std::vector<std::string>{"Help.html"});
}

TEST_F(StoryInputTest, AutoModeWaitsWholeSecondsThenAdvancesAndAnswers) {
    Stage("frmShop");
    ApplySpeed(g(), 1);
    g().AutoNext = true;
    TwoStepStory();
    // Half a second into the clock's second: the wait ends at the 1.5 s tick.
    host.Sleep(500);
    AdvanceStory(g(), vbLeftButton);  // step 1 and its line
    EXPECT_EQ(g().WaitSeconds, 2);
    host.Advance(1000);
    EXPECT_EQ(steps.size(), 1u);
    host.Advance(500);
    ASSERT_EQ(steps.size(), 2u);  // step 2 asks the question
    EXPECT_TRUE(g().AutoAnswerPending);
    EXPECT_TRUE(g().WaitingAnswer);
    host.Advance(2000);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[2], 300002);  // answered Y by the clock
    EXPECT_EQ(g().AnswerKey, 89);
}

TEST_F(StoryInputTest, FieldClockStopsDuringTheWaitAndRestartsAfter) {
    TestStage& s = Stage("frmField");
    ApplySpeed(g(), 0);
    g().AutoNext = true;
    s.Timer1.Interval = 200;
    s.Timer1.Enabled = true;
    g().SetHandler("frmShop.BuyANDSell", [this](Long) {
        ShowMessage(g(), "旅人：こんにちは");
        if (g().StoryNo == 1) AutoAdvanceWait(g());
    });
    g().StoryName = "ShopBuySell";
    AdvanceStory(g(), vbLeftButton);
    EXPECT_FALSE(s.Timer1.Enabled);
    EXPECT_EQ(g().WaitSeconds, 1);
    host.Advance(1000);
    EXPECT_TRUE(s.Timer1.Enabled);
    EXPECT_EQ(s.Timer1.Interval.get(), 200);
}

TEST_F(StoryInputTest, AutoWaitDoesNothingOutsideAutoModeOrWhenBlocked) {
    Stage("frmShop");
    AutoAdvanceWait(g());
    EXPECT_FALSE(g().AutoClickPending);
    g().AutoNext = true;
    g().AutoBlocked = true;
    AutoAdvanceWait(g());
    EXPECT_FALSE(g().AutoClickPending);
}

TEST_F(StoryInputTest, AQuestionAskedStartsWithoutAnAnswer) {
    Stage("frmShop");
    for (Long left : {Long(AnswerYes), Long(AnswerNo), Long(9999)}) {
        g().AnswerKey = left;
        ShowMessage(g(), "客：これを買います。いいですか？", "売る", "売らない", true);
        EXPECT_EQ(g().AnswerKey, AnswerNone) << left;
        g().AnswerKey = left;
        ShowMessage(g(), "売る", "売らない", "", true);
        EXPECT_EQ(g().AnswerKey, AnswerNone) << left;
    }
}

// What a fight leaves behind when it is over: its enemy's name stays set.
struct LeftEnemyCase {
    const char* what;
    const char* enemy;
    const char* field;
    bool fleeGrey;  // the fight's flee choice is grey here
};
void PrintTo(const LeftEnemyCase& c, std::ostream* os) { *os << c.what; }

class NRefusal : public StoryInputTest, public ::testing::WithParamInterface<LeftEnemyCase> {
protected:
    // The bar's question answered with N: true when the answer was taken.
    bool NTaken(const char* yes, const char* no) {
        g().StoryName = "ShopBuySell";
        g().StoryNo = StoryWaitNo;
        g().WaitingAnswer = true;
        ShowMessage(g(), "どうする？", yes, no, true);
        KeyToClick(g(), vbKeyN);
        return !g().WaitingAnswer;
    }
};

TEST_P(NRefusal, OnlyWhileTheFleeChoiceIsGrey) {
    const LeftEnemyCase& c = GetParam();
    Stage("frmShop");
    g().SetHandler("frmShop.BuyANDSell", [](Long) {});
    g().EnemyName = c.enemy;
    g().FieldName = c.field;
    EXPECT_TRUE(NTaken("売る", "売らない")) << "a later question takes N";
    EXPECT_EQ(NTaken("戦う", "逃げる"), !c.fleeGrey) << "the fight's own question";
}

INSTANTIATE_TEST_SUITE_P(
    Fights, NRefusal,
    ::testing::Values(LeftEnemyCase{"robber_fight_lost", "強盗", "Hanoda", true},
                      LeftEnemyCase{"fainted_before_the_lakes_guardian", "トレント君", "Elwind", true},
                      LeftEnemyCase{"corridor_guardian_beaten", "トレント君", "ElfMugen", false}),
    [](const auto& info) { return std::string(info.param.what); });

class QuitTest : public StoryInputTest {
protected:
    void Ask() { AskToQuit(g(), QuitFrom::SceneMenu); }
};

TEST_F(QuitTest, AsksOnTheSecondBarWithNoAsDefault) {
    Stage("frmShop");
    Ask();
    EXPECT_EQ(SimHost::BarText(*g().frmUnderMes2.peek()), "終了しますか？ [終了する(Y)] [終了しない(N/G)]");
    EXPECT_EQ(g().StoryNo, 300000);
    EXPECT_TRUE(g().AutoBlocked);
    EXPECT_EQ(g().NoClick, 0);
}

TEST_F(QuitTest, YesEndsTheProgram) {
    Stage("frmShop");
    Ask();
    MessageInput(g(), vbKeyY, 0, InputKey);
    EXPECT_TRUE(g().Ended());
}

TEST_F(QuitTest, NoEnterAndGPutTheStoryBackWithItsQuestionOpen) {
    for (int key : {vbKeyN, vbKeyReturn, vbKeyG}) {
        Stage("frmShop");
        g().StoryName = "ShopBuySell";
        g().StoryNo = 300000;
        g().AutoBlocked = true;  // a talk that blocks auto mode stays blocked
        ShowMessage(g(), "売りますか？", "売る", "売らない", true);
        Ask();
        MessageInput(g(), key, 0, InputKey);
        EXPECT_FALSE(g().Ended());
        EXPECT_EQ(g().StoryName, "ShopBuySell");
        EXPECT_EQ(g().StoryNo, 300000);
        EXPECT_TRUE(g().WaitingAnswer);
        EXPECT_TRUE(g().AutoBlocked);
        EXPECT_FALSE(g().UseSecondBar);
        EXPECT_FALSE(g().GameEnding);
        EXPECT_FALSE(g().frmUnderMes2.loaded());
        EXPECT_EQ(g().SavedStoryName, "");
    }
}

TEST_F(QuitTest, NoGivesBackTheStorysClickGate) {
    for (Long gate : {NoClickNone, NoClickLeft}) {
        Stage("frmShop");
        g().StoryName = "ShopBuySell";
        g().StoryNo = 4;
        g().NoClick = gate;
        Ask();
        MessageInput(g(), vbKeyN, 0, InputKey);
        EXPECT_EQ(g().NoClick, gate);
    }
}

TEST_F(QuitTest, TheChoicesUnderTheQuestionTakeNoAnswer) {
    Stage("frmShop");
    g().StoryName = "ShopBuySell";
    g().StoryNo = 300000;
    ShowMessage(g(), "売りますか？", "売る", "売らない", true);
    g().WaitingAnswer = true;
    Ask();
    for (int label : {1, 2}) g().frmUnderMes->LBLMessage_MouseDown(label, vbLeftButton, 0, 0, 0);
    EXPECT_EQ(g().AnswerKey, 0);
    EXPECT_EQ(g().StoryName, "VBEnd");
    EXPECT_TRUE(g().frmUnderMes2.loaded());
    MessageInput(g(), vbKeyN, 0, InputKey);
    EXPECT_EQ(g().StoryName, "ShopBuySell");
    EXPECT_EQ(g().StoryNo, 300000);
    EXPECT_TRUE(g().WaitingAnswer);
    EXPECT_EQ(SimHost::BarText(*g().frmUnderMes.peek()), "売りますか？ [売る(Y/G)] [売らない(N)]");
}

TEST_F(QuitTest, TheRobbersFightComesBackWithTheStoryItReturnsTo) {
    Stage("frmShop");
    g().VisitorSprite = 169;
    g().StoryName = "Fighting";
    g().SavedStoryName = "ShopEvent";
    Ask();
    MessageInput(g(), vbKeyN, 0, InputKey);
    EXPECT_EQ(g().StoryName, "Fighting");
    EXPECT_EQ(g().SavedStoryName, "ShopEvent");
}

TEST_F(StoryInputTest, KeepOnTopColoursTheBarsByTheWindowInFront) {
    g().FrontFLG = true;
    KeepOnTop(g(), false);
    EXPECT_EQ(g().frmUnderMes->BackColor.get(), 13486257);
    EXPECT_EQ(host.TopmostCount(), 0);
    host.SetForegroundTitle("端末");
    KeepOnTop(g(), false);
    EXPECT_EQ(g().frmUnderMes->BackColor.get(), vbScrollBars);
    EXPECT_TRUE(host.IsTopmost(*g().frmUnderMes.peek()));
    EXPECT_FALSE(host.IsTopmost(*g().frmUnderMes2.peek()));  // not in use
    KeepOnTop(g(), true);
    EXPECT_FALSE(host.IsTopmost(*g().frmUnderMes.peek()));
    EXPECT_EQ(g().frmUnderMes->BackColor.get(), vbScrollBars);  // release leaves the colours
}

}  // namespace
}  // namespace q
