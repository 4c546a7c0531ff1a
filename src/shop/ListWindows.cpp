#include "shop/ListWindows.h"

#include "core/Game.h"

namespace q {

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
    if (Form* frame = g.app.find("frmFrame")) frame->Unload();
    if (open) open->Unload();
    g.ListForm = nullptr;
}

}  // namespace q
