#include "core/CloseWindow.h"

#include "core/Game.h"
#include "core/StoryInput.h"
#include "core/frmMenu.h"
#include "core/frmOpen.h"
#include "shop/ListWindows.h"
#include "town/frmGyoku.h"
#include "town/frmItemShop.h"

namespace q {

namespace {

bool Asked(Game& g) { return g.host.MsgBox(QuitQuestion, vbYesNo | vbQuestion, "") == vbYes; }

}  // namespace

void CloseWindowAsked(Game& g, Form& f) {
    if (!f.loaded()) return;
    const std::string& name = f.Name();
    if (name == "frmFrame" || dynamic_cast<ListWindow*>(&f)) {
        if (!g.ListName.empty()) CloseListWindows(g);
        else f.Unload();  // a list window that is not the open one
        return;
    }
    if (auto* viewer = dynamic_cast<frmGyoku*>(&f)) {
        CommandButton& back = viewer->CMDbutton[1];
        if (back.Visible && back.Enabled) viewer->CMDbutton_Click(1);
        return;
    }
    if (auto* facility = dynamic_cast<frmItemShop*>(&f)) {
        // Not while the keeper talks (clicks are held back), an offer or a
        // purchase waits, or a question is open: the list is greyed then too.
        const bool idle = facility->lstList.Enabled && g.NoClick == NoClickNone && !g.WaitingAnswer &&
                          !g.OfferPending && !g.BuyPending;
        if (idle) facility->Unload();
        return;
    }
    if (auto* title = dynamic_cast<frmOpen*>(&f)) {
        if (Asked(g) && title->loaded()) title->cmdExit_Click();
        return;
    }
    // The bars, the stage, anything else: the game's own quit question.
    if (g.GameEnding) return;  // it is up already
    if (QuitOffered(g)) {
        g.Call(g.EventField == "Board" ? "frmBoard.bEnd_Click" : "frmMenu.mEnd_Click");
        return;
    }
    if (Asked(g) && !g.app.ended()) MessageInput(g, vbKeyEscape, 0, InputKey);
}

void GameForm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != vbFormControlMenu) return;
    // The game closes what it closes itself, by its own rule.
    Cancel = 1;
    CloseWindowAsked(game, *this);
}

}  // namespace q
