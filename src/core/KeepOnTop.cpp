#include "core/KeepOnTop.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "core/Game.h"
#include "core/Message.h"
#include "core/MessageBar.h"
#include "core/Startup.h"
#include "core/StoryInput.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

// The windows that are lifted in front, by form name.
constexpr std::array<std::string_view, 17> LiftedWindows{
    "frmStockArms", "frmStatus2", "frmStatus", "frmShopArms", "frmSack",  "frmRequest",
    "frmOthers",    "frmList",    "frmKeyItem", "frmItemShop", "frmGyoku", "frmBag",
    "frmFrame",     "frmUnderMes", "frmField", "frmEvent",    "frmShop",
};

bool IsLifted(std::string_view name) {
    return std::find(LiftedWindows.begin(), LiftedWindows.end(), name) != LiftedWindows.end();
}

void PaintBars(Game& g, Color c) {
    for (const char* name : {"frmUnderMes", "frmUnderMes2", "frmUnderMes3"})
        if (Form* bar = g.FindForm(name)) bar->BackColor = c;
}

void Lift(Game& g, Form& f, bool topmost) {
    g.host.SetTopmost(f, topmost);
    if (topmost) g.host.Raise(f);
}

// Visits every loaded form, lifting or dropping the game's windows; the bar
// in use is handled once more at the end, so it ends in front of the rest.
void VisitWindows(Game& g, bool topmost) {
    Form* third = nullptr;
    Form* second = nullptr;
    const std::vector<Form*> loaded = g.app.Forms();
    for (Form* f : loaded) {
        if (!f->loaded()) continue;
        const std::string& name = f->Name();
        if (name == "frmUnderMes3") {
            if (g.EventName == "GameStart") Lift(g, *f, topmost), third = f;
        } else if (name == "frmUnderMes2") {
            if (g.UseSecondBar) Lift(g, *f, topmost), second = f;
        } else if (IsLifted(name)) {
            Lift(g, *f, topmost);
        }
        // A facility window must not stay loaded outside a facility visit.
        if (g.FacilityFormName != "frmItemShop" && name == "frmItemShop") f->Unload();
    }
    if (third && third->loaded()) Lift(g, *third, topmost);
    if (second && second->loaded()) Lift(g, *second, topmost);
}

}  // namespace

void KeepOnTop(Game& g, bool Release) {
    if (g.TopMostBusy) return;
    g.TopMostBusy = true;
    if (!Release) {
        PaintBars(g, BarColor);
        if (g.host.ForegroundTitle() != GameCaption) {
            PaintBars(g, BarColorOutside);
            if (g.FrontFLG) VisitWindows(g, true);
        }
    } else {
        VisitWindows(g, false);
    }
    g.TopMostBusy = false;
}

void AskToQuit(Game& g, QuitFrom from) {
    g.GameEnding = true;
    g.WaitingAnswer = false;
    g.MenuLocked = true;
    if (from == QuitFrom::Board) g.AnswerKey = AnswerNone;
    // The question keeps its own copy of what it interrupted and leaves the
    // story's saved name and step alone: they may belong to an open question
    // (a visitor's, a fight's), and a No must give that question back whole.
    g.QuitStoryName = g.StoryName;
    g.QuitStoryNo = g.StoryNo;
    g.QuitNoClick = g.NoClick;
    g.QuitSavedStoryName = g.SavedStoryName;
    g.StoryName = "VBEnd";
    g.StoryNo = 0;
    QuitStory(g);
}

void QuitStory(Game& g) {
    // "No" gives back the auto-mode block the question found, so a talk that
    // was blocked before stays blocked.
    if (g.StoryNo == 0) g.QuitAutoBlocked = g.AutoBlocked;
    g.NoClick = NoClickLeft;
    g.AutoBlocked = true;
    if (g.StoryNo == 0) {
        g.UseSecondBar = true;
        g.WaitingAnswer = true;
        g.StoryNo = StoryWaitNo;
        g.AnswerKey2 = AnswerNone;
        ShowMessage(g, "終了しますか？", "終了する", "終了しない", false);
        RefreshListWindow(g);
    } else if (g.AnswerKey2 == AnswerYes) {
        const std::string stage = g.StageForm ? g.StageForm->Name() : std::string();
        UnloadFormsExcept(g, stage);
        if (g.StageForm) g.StageForm->Unload();
        return;
    } else if (g.AnswerKey2 == AnswerNo || g.AnswerKey2 == AnswerEnter || g.AnswerKey2 == AnswerGo) {
        g.AnswerKey2 = AnswerNone;
        g.MenuLocked = false;
        g.StoryName = g.QuitStoryName;
        g.StoryNo = g.QuitStoryNo;
        g.SavedStoryName = g.QuitSavedStoryName;
        // A question of the interrupted story is open again.
        if (!g.frmUnderMes->LBLMessage[1].Caption->empty()) g.WaitingAnswer = true;
        g.frmUnderMes2.Unload();
        g.UseSecondBar = false;
        g.AutoBlocked = g.QuitAutoBlocked;
        g.GameEnding = false;
        RefreshListWindow(g);
        // The story's own click gate, as the question found it.
        g.NoClick = g.QuitNoClick;
        return;
    }
    g.NoClick = NoClickNone;
}

}  // namespace q
