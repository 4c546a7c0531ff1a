#include "shop/RegisterShop.h"

#include "core/Game.h"
#include "core/frmMenu.h"
#include "shop/ListWindows.h"
#include "shop/frmBag.h"
#include "shop/frmFrame.h"
#include "shop/ShopSpeech.h"
#include "shop/frmSack.h"
#include "shop/frmShop.h"
#include "shop/frmStockArms.h"

namespace q {

void RegisterShop(Game& g) {
    g.SetHandler("frmShop.Show", [&g](Long) { g.frmShop->Show(); });
    g.SetHandler("frmShop.OpeningGo", [&g](Long) { g.frmShop->OpeningGo(); });
    g.SetHandler("frmShop.ShopClose", [&g](Long) { g.frmShop->ShopClose(); });
    g.SetHandler("frmFrame.cmdFrame_Click", [&g](Long tab) { g.frmFrame->cmdFrame_Click(int(tab)); });
    g.SetHandler("frmBag.cmdDump_Click", [&g](Long) { g.frmBag->cmdDump_Click(); });
    g.SetHandler("frmStockArms.cmdDump_Click", [&g](Long) { g.frmStockArms->cmdDump_Click(); });
    g.SetHandler("frmSack.cmdDump_Click", [&g](Long) { g.frmSack->cmdDump_Click(); });
    g.SetHandler("frmSack.cmdUse_Click", [&g](Long) { g.frmSack->cmdUse_Click(); });
    // The paused field starts the sack's or the bag's list at its first row.
    g.SetHandler("SelectFirstListRow", [&g](Long) {
        ListView* list = nullptr;
        if (g.ListName == "frmSack" && g.frmSack.loaded()) list = &g.frmSack->lstList;
        else if (g.ListName == "frmBag" && g.frmBag.loaded()) list = &g.frmBag->lstList;
        if (!list) return;
        list->UnselectAll();
        list->Select(1);
    });

    g.SetHandler("frmShop.BuyANDSell", [&g](Long) { g.frmShop->BuyANDSell(); });
    g.SetHandler("frmShop.TimerEvent", [&g](Long) { g.frmShop->TimerEvent(); });
    g.SetHandler("frmShop.BuyANDSellItem", [&g](Long) { g.frmShop->BuyANDSellItem(); });
    g.SetHandler("frmShop.EventStart", [&g](Long) { g.frmShop->EventStart(); });
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
    p.add("frmMenu.mStatus_Click", [](Game& g, const Procs::Args&) {
        mStatus_Click(g);
        return std::string();
    });
    p.add("frmFrame.cmdFrame_Click", [](Game& g, const Procs::Args& a) {
        g.frmFrame->cmdFrame_Click(int(Procs::Number(a, 0)));
        return std::string();
    });
}

}  // namespace q
