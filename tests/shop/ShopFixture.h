// A game in the closed shop with the arms table filled, for the list windows.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "Fixture.h"
#include "core/InitGame.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes.h"
#include "data/Tables.h"
#include "shop/ListWindows.h"
#include "shop/frmFrame.h"

namespace q::test {

// An arm and how many pieces of it.
using Pieces = std::pair<Long, Long>;

class ListWindowTest : public GameTest {
protected:
    ListWindowTest() {
        PlaceMessageBars(g());
        InitArmTable1(g());
        InitArmTable2(g());
        InitKeyItemTable(g());
        g().EventField = "Shop";
        g().SceneFormName = "frmShop";
        g().ShopOpen = false;
        g().NowMaxShop = 100;
        g().NowMaxStock = 100;
        g().NowMaxBag = 20;
        g().NowMaxSack = 10;
        g().DBUFLG = true;
        g().LastMessage = "";
    }

    // The status command, then a tab of the frame.
    void OpenTab(int tab) {
        if (g().ListName.empty()) mStatus_Click(g());
        g().frmFrame->cmdFrame_Click(tab);
    }

    void SetStock(std::initializer_list<Pieces> entries) {
        g().HaveStock = g().HaveStockNum = 0;
        for (const auto& [arm, n] : entries) {
            g().MyStockArms[size_t(g().HaveStock++)] = {arm, n};
            g().HaveStockNum += n;
        }
    }
    void SetShop(std::initializer_list<Pieces> entries) {
        g().HaveShop = g().HaveShopNum = 0;
        for (const auto& [arm, n] : entries) {
            g().MyShopArms[size_t(g().HaveShop++)] = {arm, n};
            g().HaveShopNum += n;
        }
    }
    void SetBag(std::initializer_list<Pieces> entries) {
        g().HaveBag = g().HaveBagNum = 0;
        for (const auto& [arm, n] : entries) {
            g().MyBag[size_t(g().HaveBag++)] = {arm, n};
            g().HaveBagNum += n;
        }
    }
    std::vector<Pieces> Stock() const {
        std::vector<Pieces> out;
        for (Long i = 0; i < game->HaveStock; ++i) out.emplace_back(game->MyStockArms[size_t(i)].SStockArmsNo, game->MyStockArms[size_t(i)].SStockArmsNum);
        return out;
    }
    std::vector<Pieces> Shop() const {
        std::vector<Pieces> out;
        for (Long i = 0; i < game->HaveShop; ++i) out.emplace_back(game->MyShopArms[size_t(i)].SShopArmsNo, game->MyShopArms[size_t(i)].SShopArmsNum);
        return out;
    }
    std::vector<Pieces> Bag() const {
        std::vector<Pieces> out;
        for (Long i = 0; i < game->HaveBag; ++i) out.emplace_back(game->MyBag[size_t(i)].HHaveBagNo, game->MyBag[size_t(i)].HHaveBagNum);
        return out;
    }
    std::string Bar() { return SimHost::BarText(*g().frmUnderMes.peek()); }
};

}  // namespace q::test
