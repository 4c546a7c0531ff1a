// Game states for the save tests and the save benchmark: a new game, a game
// far into play, and a game with every list full.
#pragma once

#include <string>
#include <vector>

#include "core/Game.h"
#include "core/StateColumns.h"
#include "data/Tables.h"

namespace q::test {

// Every registered name a state column row stands for.
inline std::vector<std::string> ElementsOf(const std::vector<std::string>& registered, const std::string& row) {
    std::vector<std::string> out;
    for (const auto& name : registered)
        if (name == row || name.rfind(row + "(", 0) == 0) out.push_back(name);
    return out;
}

// The data tables as a new game fills them.
inline void FillTables(Game& g) { FillDataTables(g); }

// The new-game values of the state, as the state columns give them, over
// freshly filled tables.
inline void NewGameState(Game& g) {
    // Every game registers the same names: the list is worked out once.
    static const std::vector<std::pair<std::string, Value>> values = [&g] {
        std::vector<std::pair<std::string, Value>> out;
        const auto names = g.vars.names();
        for (const auto& c : StateColumns()) {
            if (c.newGame.kind != ColumnKind::Value) continue;
            for (const auto& element : ElementsOf(names, std::string(c.name)))
                out.emplace_back(element, ParseValue(std::string(c.newGame.text)));
        }
        return out;
    }();
    FillTables(g);
    for (const auto& [name, value] : values) g.vars.set(g, name, value);
    for (auto& arm : g.AllArms) {
        arm.LArmsSetPrice = arm.BasePrice;
        arm.LArmsList = arm.No <= 2;
    }
}

// A game far into play: every kind of field away from its new-game value,
// lists of every kind, the ends of the signed fields.
inline void RichGameState(Game& g) {
    NewGameState(g);
    g.FieldLevel = 2;
    g.NowTime = 87;
    g.NowYear = 3053;
    g.NowMonth = 11;
    g.NowDay = 29;
    g.MyLevel = 64;
    g.MyMaxEx = 123456;
    g.MyNowEx = 65432;
    g.MyMaxHp = 4321;
    g.MyNowHp = 4000;
    g.MyMaxBody = 250;
    g.MyNowBody = 12;
    g.MyMaxWater = 999;
    g.MyNowWater = 0;
    g.MyFame = 9999;
    g.MyGold = 987654321;
    g.MyAt = 512;
    g.MyDi = 333;
    g.MySp = 999;
    g.UpValue = 7;
    g.Warasibe = 11;
    g.ClearFlg = 9;

    g.GameCleared = true;
    g.EnemyCount = 999999999;
    g.EscapeCount = 12;
    g.DieCount = 3;
    g.SellCount = 4567;
    g.BuyCount = 7654;
    g.DeclineCount = 89;
    g.DealingCount = 1;
    for (int i : {0, 9, 28, 29}) g.AnaSpot[size_t(i)] = true;
    for (int i : {1, 9}) g.TouSpot[size_t(i)] = true;
    g.ValuableItem = {true, false, true};
    for (int i : {0, 5, 11, 12}) g.BossOK[size_t(i)] = true;
    g.FireDay = {17, 2};
    g.RobberyDay = {30, 3};
    g.SpecialFlg = {600, 42};
    g.BuyGyokuNum = 0;
    g.CarpenOrder = {1, 250, 4000};

    g.FieldName = "Amulet";
    g.GyokuFlg = 1;
    g.FortuneFlg = 6;
    g.CarpenFlg = 1;
    g.KajiyaFlg = 3;
    g.MizuumiFlg = 1;
    g.EconomyValue = 2;
    g.CloseOrder = 1;
    g.OderNG = 2;
    g.NoaFlg = {1, 1, 0, 1, 1, 1, 17};
    g.GhostFlg = {2, 15};
    g.BankNumber = 5;
    g.MegamiFlg = 2;
    g.TorolFlg = true;

    g.MonsNothing = true;
    g.AutoNext = true;
    g.OnceStop = false;
    g.Stepping = true;
    g.FrontFLG = false;
    g.DBUFLG = false;
    g.SpeedFlg = 0;
    g.SpeedInterval = 200;
    g.AutoWait = 1000;

    g.NowMaxShop = 500;
    g.NowMaxStock = 1000;
    g.NowMaxBag = 150;
    g.NowMaxSack = 50;
    g.WoodNum = 99999;
    g.HaveSack = 4;
    g.MySack[0] = {0, 9, false};
    g.MySack[1] = {42, 1, false};
    g.MySack[2] = {99, 3, true};
    g.MySack[3] = {7, 2, true};
    g.HaveBag = 2;
    g.MyBag[0] = {499, 140};
    g.MyBag[1] = {0, 10};
    g.HaveBagNum = 150;
    g.HaveShop = 3;
    g.MyShopArms[0] = {480, 1};
    g.MyShopArms[1] = {12, 300};
    g.MyShopArms[2] = {250, 199};
    g.HaveShopNum = 500;
    g.HaveStock = 2;
    g.MyStockArms[0] = {3, 999};
    g.MyStockArms[1] = {484, 1};
    g.HaveStockNum = 1000;
    g.NowRequest = 3;
    g.MyRequestArms[0] = {100, 5, 12};
    g.MyRequestArms[1] = {200, 99, 0};
    g.MyRequestArms[2] = {300, 1, -2};

    g.ShopHaveHouse[HouseLand] = {3, 1};
    g.ShopHaveHouse[HouseTheftGuard] = {1, 20};
    g.ShopHaveHouse[HouseFireGuard] = {0, 0};
    g.ShopHaveHouse[HouseShares] = {9999, 0};
    g.ShopHaveHouse[HouseBank] = {-5000, 0};
    g.HaveGyokuNum = 100;

    // The state inside the tables.
    for (int i : {0, 7, 250, 480, 499}) {
        g.AllArms[size_t(i)].LArmsList = true;
        g.AllArms[size_t(i)].LArmsSetPrice = g.AllArms[size_t(i)].BasePrice * 3 / 2;
    }
    g.AllArms[1].LArmsList = false;
    g.AllArms[1].LArmsSetPrice = g.AllArms[1].BasePrice / 2;
    for (int i : {0, 14, 23, 28}) g.AllKey[size_t(i)].LKeyList = true;
    for (auto& jewel : g.AllGyoku) jewel.LGyokuList = true;
    for (int i : {0, 3, 14}) g.SmithSell[size_t(i)].SLSmithRecipe = true;
    for (int i : {0, 10}) g.CarpenSell[size_t(i)].SLCarpenOk = true;
    g.ShopSellHouse[9].SLHousePrice = 1234;
}

// Every list at its largest: 50 sack kinds, 150 bag pieces, 500 display
// and 500 warehouse entries, five orders.
inline void FullGameState(Game& g) {
    RichGameState(g);
    g.HaveSack = 50;
    for (int k = 0; k < 50; ++k) g.MySack[size_t(k)] = {k < 43 ? Long(k) : Long(k + 40), 1 + k % 9, k >= 43};
    g.HaveBag = 150;
    for (int k = 0; k < 150; ++k) g.MyBag[size_t(k)] = {Long(k), 1};
    g.HaveShop = 500;
    for (int k = 0; k < 500; ++k) g.MyShopArms[size_t(k)] = {Long(499 - k), 1};
    g.HaveStock = 500;
    for (int k = 0; k < 500; ++k) g.MyStockArms[size_t(k)] = {Long(k), 2};
    g.NowRequest = 5;
    for (int k = 0; k < 5; ++k) g.MyRequestArms[size_t(k)] = {Long(100 * k), Long(k + 1), Long(k - 2)};
    g.HaveBagNum = 150;
    g.HaveShopNum = 500;
    g.HaveStockNum = 1000;
    for (auto& arm : g.AllArms) arm.LArmsList = true;
}

}  // namespace q::test
