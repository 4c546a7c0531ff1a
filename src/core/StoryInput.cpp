#include "core/StoryInput.h"

#include <array>
#include <string>

#include "core/Game.h"
#include "core/Startup.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/ListWindows.h"
#include "shop/frmOthers.h"

namespace q {

namespace {

// The story keys and their handlers, first match wins. Rows that test more
// than StoryName are handled in AdvanceStory around this table.
struct StoryRow {
    const char* storyName;
    const char* handler;
};

// The questions asked over a running story: the quit question and the list
// windows' confirmations. They come before every scene's own row, so their
// answer reaches them whatever the scene beneath is talking.
constexpr std::array<StoryRow, 5> QuestionRows{{
    {"VBEnd", "QuitStory"},
    {"BagDump", "frmBag.cmdDump_Click"},
    {"StockDump", "frmStockArms.cmdDump_Click"},
    {"SackDump", "frmSack.cmdDump_Click"},
    {"SackUse", "frmSack.cmdUse_Click"},
}};

constexpr std::array<StoryRow, 4> ShopRows{{
    {"Opening", "frmShop.OpeningGo"},
    {"ShopClose", "frmShop.ShopClose"},
    {"ShopBuySell", "frmShop.BuyANDSell"},
    {"ShopEvent", "frmShop.EventStart"},
}};

constexpr std::array<StoryRow, 7> TalkRows{{
    {"BoardEvent", "EnterFacility"},
    {"BuyItem", "frmItemShop.cmdBuy_Click"},
    {"SpeechTurn", "frmItemShop.SpeechTurn"},
    {"ManSpeech", "frmField.ManTurn"},
    {"BossTurn", "frmField.BossTurn"},
    {"NextFloor", "frmField.NextFloorTurn"},
    {"Assist", "frmField.AssistTurn"},
}};

constexpr std::array<const char*, 6> BattleKeys{"HeroTurn", "Fighting", "MonsterTurn", "BattleEnd", "ConditionTurn", "ItemTurn"};

constexpr std::array<StoryRow, 1> FieldRows{{{"ItemGet", "frmField.ItemTurn"}}};
constexpr std::array<StoryRow, 2> EndRows{{{"EndingSpeech", "frmField.EndingTurn"}, {"GameOver", "GameOverStory"}}};

template <size_t N>
const char* Lookup(const std::array<StoryRow, N>& rows, const std::string& name) {
    for (const auto& r : rows)
        if (name == r.storyName) return r.handler;
    return nullptr;
}

// The list window of each tab, for Shift with a digit.
struct TabKey {
    int key;
    int tab;
    const char* window;
};
constexpr std::array<TabKey, 10> TabKeys{{
    {49, 0, "frmStatus"},
    {50, 1, "frmStatus2"},
    {51, 2, "frmList"},
    {52, 3, "frmKeyItem"},
    {53, 8, "frmRequest"},
    {54, 4, "frmShopArms"},
    {55, 5, "frmStockArms"},
    {56, 6, "frmBag"},
    {57, 7, "frmSack"},
    {48, 9, "frmOthers"},
}};

// The setting keys and the settings window's handler each one calls.
struct SettingKey {
    int key;
    void (frmOthers::*handler)();
};
constexpr std::array<SettingKey, 6> SettingKeys{{
    {84, &frmOthers::ChkLeftRight_Click},
    {65, &frmOthers::ChkAuto_Click},
    {83, &frmOthers::SpeedKey},
    {67, &frmOthers::ChkStop_Click},
    {70, &frmOthers::ChkShow_Click},
    {77, &frmOthers::ChkAuto2_Click},
}};

void QuitAtOnce(Game& g) {
    const std::string stage = g.StageForm ? g.StageForm->Name() : std::string();
    UnloadFormsExcept(g, stage);
    if (g.StageForm) g.StageForm->Unload();
    UnloadFormsExcept(g, "");
    g.TimersSuspended = true;
}

void OpenListTab(Game& g, const TabKey& t) {
    if (g.ListConfirm) return;
    std::string compared = t.window;
    if (g.ListName.empty()) {
        g.Call("frmMenu.mStatus_Click");
        compared.clear();
    }
    if (compared != g.ListName) {
        g.Call("frmFrame.cmdFrame_Click", t.tab);
        FocusFrameTab(g, t.tab);
    } else {
        g.Call("frmMenu.mStatus_Click");
    }
}

void ShowStateBox(Game& g) { g.host.InputBox("", "デバッグメッセージ", StoryStateLine(g)); }

// Runs the global keys. Returns true when MessageInput is done.
bool GlobalKey(Game& g, int key, int shift) {
    if (g.NewGame && key != vbKeyEscape) return false;
    if (key == vbKeyEscape) {
        QuitAtOnce(g);
        return true;
    }
    if (key == 72 && shift == 1) {
        OpenHelp(g);
        return false;
    }
    for (const auto& s : SettingKeys) {
        if (s.key != key) continue;
        frmOthers& settings = g.frmOthers.get();
        (settings.*s.handler)();
        if (g.ListName != "frmOthers") g.frmOthers.Unload();
        g.KeyInvoked = false;
        RefreshListWindow(g);
        return true;
    }
    if (shift == 1) {
        for (const auto& t : TabKeys) {
            if (t.key != key) continue;
            OpenListTab(g, t);
            return true;
        }
    }
    if (key == vbKeyF5) ShowStateBox(g);
    return false;
}

bool AutoFilters(const Game& g, int input, int kind) {
    if (!g.AutoNext || g.AutoBlocked) return false;
    const bool rightClick = input == vbRightButton && (kind == InputFormClick || kind == InputLabelClick);
    const bool appsKey = input == vbKeyApps && kind == InputKey;
    if (rightClick || appsKey) return false;
    // The shop's clock stands still for her click after a faint or the
    // branch's revival in hand play; auto mode switched on meanwhile would
    // leave nothing to move it on, so that click still reaches it.
    if (g.SceneFormName == "frmShop") return !ShopClockWaitsForAClick(g);
    return g.SceneFormName == "frmField";
}

void Dispatch(Game& g) {
    if (const char* h = Lookup(QuestionRows, g.StoryName)) return g.Call(h);
    if (const char* h = Lookup(ShopRows, g.StoryName)) return g.Call(h);
    if (g.EventField == "Umi" || g.EventField == "Siro" || g.BoardCommand == "Save") return g.Call("frmEvent.BoardEvent");
    if (const char* h = Lookup(TalkRows, g.StoryName)) return g.Call(h);
    if (g.EventName == "GameStart") {
        // Step 10 of the number game waits for a number typed into its bar.
        if (g.StoryNo == 11) {
            g.StoryNo = 10;
            return;
        }
        return g.Call("frmUnderMes3.GameMessage", 9999);
    }
    if (const char* h = Lookup(FieldRows, g.StoryName)) return g.Call(h);
    for (const char* k : BattleKeys) {
        if (g.StoryName != k) continue;
        if (g.StoryName == "HeroTurn" && g.BattlePhase == 1) {
            if (g.AnswerKey == 0) {
                g.StoryNo = 0;
                return;
            }
            g.StoryNo = 1;
        }
        return g.Call("BattleDispatch");
    }
    if (const char* h = Lookup(EndRows, g.StoryName)) return g.Call(h);
}

void CountedStep(Game& g, int button) {
    if (button == vbLeftButton) {
        if (g.WaitingAnswer) return;
        g.StoryNo = g.StoryNo + 1;
        Dispatch(g);
    } else if (button == vbRightButton) {
        if (!g.NewGame) g.Call("ShowPopupMenu");
    }
}

}  // namespace

bool ShopClockWaitsForAClick(const Game& g) {
    if (!g.DieFlg && !g.ResumePending) return false;
    const Timer* clock = g.StageTimer("Timer1");
    const Timer* wait = g.StageTimer("Timer3");
    return clock && !clock->Enabled && !(wait && wait->Enabled);
}

bool QuestionOverStory(const Game& g) { return g.GameEnding || g.ListConfirm; }

std::vector<std::string> DispatchedNames() {
    std::vector<std::string> names;
    auto add = [&names](const auto& rows) {
        for (const StoryRow& r : rows) names.emplace_back(r.handler);
    };
    add(QuestionRows);
    add(ShopRows);
    add(TalkRows);
    add(FieldRows);
    add(EndRows);
    return names;
}

std::string StoryStateLine(const Game& g) {
    return "・StoryName = " + g.StoryName + "　・StoryNo = " + std::to_string(g.StoryNo) +
           "　・FieldName = " + g.FieldName + "　・EventField = " + g.EventField +
           "　・EventName = " + g.EventName + "　・NoClick = " + std::to_string(g.NoClick);
}

void MessageInput(Game& g, int input, int shift, int kind) {
    g.ClickTaken = false;
    if (kind == InputKey) {
        g.KeyInvoked = true;
        const bool done = GlobalKey(g, input, shift);
        g.KeyInvoked = false;
        if (done) return;
    }
    if (AutoFilters(g, input, kind)) {
        g.ClickTaken = true;
        return;
    }
    const bool busyAuto = g.AutoNext && !g.AutoBlocked && g.EventBusy;
    switch (kind) {
        case InputKey:
            if (busyAuto && (input == vbKeyG || input == vbKeyReturn || input == vbKeyY || input == vbKeyN)) return;
            KeyToClick(g, input, shift);
            break;
        case InputFormClick:
            if (busyAuto && input == vbLeftButton) return;
            AdvanceStory(g, input);
            break;
        case InputLabelClick:
            if (busyAuto && input == vbLeftButton) g.ClickTaken = true;
            break;
        default:
            break;
    }
}

void KeyToClick(Game& g, int key, int) {
    if (!g.WaitingAnswer) {
        if (key == vbKeyG || key == vbKeyReturn) AdvanceStory(g, vbLeftButton);
        else if (key == vbKeyApps) AdvanceStory(g, vbRightButton);
        return;
    }
    if (key == vbKeyApps) {
        AdvanceStory(g, vbRightButton);
        return;
    }
    if (key != vbKeyY && key != vbKeyN && key != vbKeyReturn && key != vbKeyG) return;
    if (!g.UseSecondBar) {
        // N takes the second choice only where it can be clicked: a fight's
        // flee choice shown grey (the robber, the lake's guardian) refuses it.
        auto& bar = g.frmUnderMes.get();
        const Label& flee = bar.LBLMessage[2];
        if (key == vbKeyN && !flee.Caption->empty() && !flee.Enabled) return;
        g.AnswerKey = key;
        bar.LBLMessage[1].Caption = "";
        bar.LBLMessage[2].Caption = "";
    } else {
        g.AnswerKey2 = key;
        g.frmUnderMes2->ClearLabels();
        g.frmUnderMes2.Unload();
    }
    g.WaitingAnswer = false;
    g.StoryNo = g.StoryNo + 1;
    AdvanceStory(g, vbLeftButton);
}

void AdvanceStory(Game& g, int button) {
    if (g.NoClick == NoClickAuto) {
        if (!g.AutoNext) return;
        CountedStep(g, button);
        return;
    }
    if (g.NoClick == NoClickAll) return;
    if (button == vbRightButton && g.NoClick == NoClickRight) return;
    if (g.StoryNo == StoryWaitNo) {
        if (button == vbRightButton || g.AnswerKey != 0 || g.AnswerKey2 != 0) {
            CountedStep(g, button);
        }
        return;
    }
    if (button == vbLeftButton && g.NoClick == NoClickLeft) return;
    if (g.ResumePending) {
        g.frmUnderMes->LBLMessage[0].Caption = "";
        if (Timer* t = g.StageTimer("Timer1")) {
            t->Interval = g.SpeedInterval;
            t->Enabled = true;
        }
        g.ResumePending = false;
        return;
    }
    if (g.StoryNo >= StoryOverflowNo) g.StoryNo = StoryEndNo;
    CountedStep(g, button);
}

void AutoAdvanceWait(Game& g) {
    if (!g.AutoNext || g.AutoBlocked) return;
    if (g.MessageLabels == 1) {
        g.AutoClickPending = true;
    } else {
        g.WaitingAnswer = true;
        g.AutoAnswerPending = true;
    }
    g.MessageBusy = false;
    g.host.DoEvents();
    StartResumeWait(g, g.AutoWait);
}

void StartResumeWait(Game& g, int ms) {
    if (g.SceneFormName == "frmField") {
        if (Timer* t = g.StageTimer("Timer1")) {
            t->Enabled = false;
            t->Interval = 0;
        }
    }
    g.WaitStart = g.host.NowMs();
    g.WaitSeconds = ms / 1000;
    if (Timer* t3 = g.StageTimer("Timer3")) {
        t3->Enabled = true;
        t3->Interval = 500;
        if (t3->OnTimer) t3->OnTimer();
    }
}

bool ConsumeAutoAdvance(Game& g) {
    if (g.AutoClickPending) {
        g.AutoClickPending = false;
        AdvanceStory(g, vbLeftButton);
        return true;
    }
    if (g.AutoAnswerPending) {
        g.AutoAnswerPending = false;
        KeyToClick(g, vbKeyY);
        return true;
    }
    return false;
}

bool EndResumeWait(Game& g) {
    if (!ResumeWaitOver(g)) return false;
    if (Timer* t3 = g.StageTimer("Timer3")) {
        t3->Interval = 0;
        t3->Enabled = false;
    }
    if (g.SceneFormName == "frmField") {
        if (Timer* t1 = g.StageTimer("Timer1")) {
            t1->Interval = g.SpeedInterval;
            t1->Enabled = true;
        }
    }
    return true;
}

bool ResumeWaitOver(Game& g) {
    // Whole seconds: the number of second boundaries of the wall clock passed.
    const std::int64_t began = g.WaitStart / 1000;
    const std::int64_t now = g.host.NowMs() / 1000;
    return now - began >= g.WaitSeconds;
}

}  // namespace q
