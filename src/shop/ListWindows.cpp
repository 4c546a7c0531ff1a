#include "shop/ListWindows.h"

#include "core/StoryInput.h"
#include "shop/frmFrame.h"

namespace q {

namespace {

constexpr std::array<const char*, 10> TabWindows{
    "frmStatus",  "frmStatus2",   "frmList", "frmKeyItem", "frmShopArms",
    "frmStockArms", "frmBag", "frmSack", "frmRequest", "frmOthers",
};

}  // namespace

void RefreshListWindow(Game& g) {
    if (g.ListName.empty()) return;
    if (Form* f = g.app.find(g.ListName); f && f->loaded()) f->Form_Load();
}

void CloseListWindows(Game& g) {
    if (g.ListConfirm) return;
    Form* open = g.ListName.empty() ? nullptr : g.app.find(g.ListName);
    g.ListName.clear();
    g.ShopArmsSel = 0;
    g.BagSel = 0;
    g.SackSel = 0;
    g.KeepSelCount = 0;
    g.frmFrame.Unload();
    if (open) open->Unload();
    g.ListForm = nullptr;
}

void PlaceFrame(Game& g, Long top, Long left) {
    frmFrame& frame = g.frmFrame.get();
    frame.Top = top - frame.Height;
    frame.Left = left;
}

void DragListWindow(Game& g, int Button) {
    if (Button != vbLeftButton || !g.ListForm || !g.ListForm->loaded()) return;
    Form& window = *g.ListForm;
    g.host.DragForm(window, [&g, &window] {
        if (window.loaded() && g.frmFrame.loaded()) PlaceFrame(g, window.Top, window.Left);
    });
    if (g.ListForm != &window || !window.loaded()) return;  // closed while it was dragged
    g.ListTop = window.Top;
    g.ListLeft = window.Left;
    if (g.frmFrame.loaded()) PlaceFrame(g, g.ListTop, g.ListLeft);
}

int NextTab(int tab) {
    for (size_t i = 0; i < TabOrder.size(); ++i)
        if (TabOrder[i] == tab) return TabOrder[(i + 1) % TabOrder.size()];
    return TabOrder[0];
}

const char* TabWindow(int tab) { return tab >= 0 && tab < int(TabWindows.size()) ? TabWindows[size_t(tab)] : ""; }

Form* ListWindowForm(Game& g, const std::string& name) { return g.FindForm(name); }

void FocusFrameTab(Game& g, int tab) {
    if (tab < 0 || tab > 9 || !g.frmFrame.loaded()) return;
    g.frmFrame->cmdFrame[tab].SetFocus();
}

ListWindow::ListWindow(Game& game, std::string name, int tab) : GameForm(game, std::move(name)), tab_(tab) {}

void ListWindow::DesignWindow(int width, int height) {
    Caption = "+++ Quorvane +++";
    Width = width;
    Height = height;
}

void ListWindow::PassMouse(Control& c, bool drag) {
    if (drag) c.MouseMove = [this](int button, int shift, int x, int y) { Form_MouseMove(button, shift, x, y); };
    c.DblClick = [this] { Form_DblClick(); };
}

void ListWindow::Form_DblClick() { CloseListWindows(game); }

void ListWindow::Form_MouseMove(int Button, int, int, int) { DragListWindow(game, Button); }

void ListWindow::Form_KeyDown(int KeyCode, int Shift) {
    if (KeyCode == vbKeyO && Shift == vbShiftMask) {
        FocusFrameTab(game, NextTab(tab_));
        return;
    }
    MessageInput(game, KeyCode, Shift, InputKey);
}

}  // namespace q
