#include "shop/RegisterShop.h"

#include "core/Game.h"
#include "shop/ListWindows.h"
#include "shop/ShopSpeech.h"
#include "shop/frmShop.h"

namespace q {

void RegisterShop(Game& g) {
    g.SetHandler("frmShop.Show", [&g](Long) { g.frmShop->Show(); });
    g.SetHandler("frmShop.OpeningGo", [&g](Long) { g.frmShop->OpeningGo(); });
    g.SetHandler("frmShop.ShopClose", [&g](Long) { g.frmShop->ShopClose(); });
    g.SetHandler("frmShop.BuyANDSell", [&g](Long) { g.frmShop->BuyANDSell(); });
    g.SetHandler("frmShop.TimerEvent", [&g](Long) { g.frmShop->TimerEvent(); });
    g.SetHandler("frmShop.BuyANDSellItem", [&g](Long) { g.frmShop->BuyANDSellItem(); });
    Procs& p = g.procs;
    p.add("RefreshListWindow", [](Game& g, const Procs::Args&) {
        RefreshListWindow(g);
        return std::string();
    });
    p.add("ShopSpeech", [](Game& g, const Procs::Args&) {
        ShopSpeech(g);
        return std::string();
    });
    p.add("CloseListWindows", [](Game& g, const Procs::Args&) {
        CloseListWindows(g);
        return std::string();
    });
}

}  // namespace q
