#include "core/InitGame.h"

#include "core/Game.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "core/Clock.h"
#include "data/Tables.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

Long ScreenWidth(Game& g) {
    const PixelRect area = g.host.WorkArea();
    return area.right - area.left;
}

void ClearConditions(Game& g) { g.Condition.fill(0); }

namespace {

// Parts of the start that live with the tables, the stage and the clock.
// The valuables every start takes back; the others stay with New Game Plus.
void ResetKeyItemsEveryRun(Game& g) {
    for (int i = 0; i <= 13; ++i) g.AllKey[size_t(i)].LKeyList = false;
    g.AllKey[21].LKeyList = false;
    g.AllKey[27].LKeyList = false;
}

// Asking prices back to the base prices, only arms 0-2 listed, and no jewel,
// recipe or valuable.
void ResetTablesForNewGame(Game& g) {
    for (size_t i = 0; i < g.AllArms.size(); ++i) {
        g.AllArms[i].LArmsSetPrice = g.AllArms[i].BasePrice;
        g.AllArms[i].LArmsList = i <= 2;
    }
    for (auto& jewel : g.AllGyoku) jewel.LGyokuList = false;
    for (auto& recipe : g.SmithSell) recipe.SLSmithRecipe = false;
    for (auto& key : g.AllKey) key.LKeyList = false;
}

// Values every start resets, new game or New Game Plus.
void ResetEveryRun(Game& g) {
    g.StoryNo = 0;
    g.FacilityFormName.clear();
    g.ListName.clear();
    g.FieldName = "Hanoda";
    g.EventField = "Shop";
    g.NowYear = 3050;
    g.NowTime = 1;
    g.NowMonth = 4;
    g.NowDay = 1;
    g.LeaverSprite = NoSprite;
    g.EconomyValue = 0;
    g.TimersSuspended = false;
    g.GameEnding = false;
    g.MyFame = 10;
    g.MyGold = 300;
    ClearConditions(g);
    g.Warasibe = 0;
    g.ClearFlg = 0;
    g.TorolFlg = false;
    g.FieldLevel = 0;
    g.AnaSpot.fill(false);
    g.TouSpot.fill(false);
    g.ValuableItem[0] = false;
    g.ValuableItem[1] = false;
    g.BossOK.fill(false);
    g.FireDay.fill(0);
    g.RobberyDay.fill(0);
    g.GyokuFlg = 0;
    g.FortuneFlg = 0;
    g.CarpenFlg = 0;
    g.KajiyaFlg = 0;
    g.MizuumiFlg = 0;
    g.EconomyValue = 0;
    g.NowRequest = 0;
    g.CloseOrder = 0;
    g.OderNG = 0;
    g.NoaFlg.fill(0);
    g.GhostFlg.fill(0);
    g.MegamiFlg = 0;
    g.BuyGyokuNum = 1;
    for (int row = 1; row <= 4; ++row) {
        g.ShopHaveHouse[size_t(row)].HLHouseNum = 0;
        g.ShopHaveHouse[size_t(row)].HLHouseTime = 0;
    }
    ResetKeyItemsEveryRun(g);
}

void NewGameSettings(Game& g) {
    g.MonsNothing = false;
    g.AutoNext = false;
    g.AutoNextChange = 0;
    g.FrontFLG = true;
    g.SpeedFlg = 1;
    g.DBUFLG = true;
    g.OnceStop = false;
    g.Stepping = false;
    g.LeftMode = false;
    g.LeftModeChange = 0;
    g.SpeedInterval = 500;
    g.AutoWait = 2000;
}

void NewGameHeroine(Game& g) {
    g.MyMaxHp = 35;
    g.MyNowHp = 35;
    g.MyMaxEx = 30;
    g.MyMaxBody = g.MyNowBody = g.MyMaxWater = g.MyNowWater = 100;
    g.MyLevel = 1;
    g.MyNowEx = 0;
    g.MyAt = 7;
    g.MyDi = 5;
    g.MySp = 4;
    g.UpValue = 2;
    g.NowMaxShop = 20;
    g.NowMaxStock = 30;
    g.NowMaxBag = 20;
    g.NowMaxSack = 10;
    g.BankNumber = 0;
    g.GameCleared = false;
    g.WoodNum = 0;
    g.HaveGyokuNum = 0;
    g.SpecialFlg.fill(0);
}

// Counters and the four inventories, the same for both kinds of start.
void StartingInventories(Game& g) {
    g.EnemyCount = g.EscapeCount = g.DieCount = g.SellCount = g.BuyCount = g.DeclineCount = g.DealingCount = 0;
    g.HaveShop = 0;
    g.HaveShopNum = 0;
    g.HaveStock = 3;
    g.HaveStockNum = 6;
    for (int i = 0; i < 3; ++i) {
        g.MyStockArms[size_t(i)].SStockArmsNo = i;
        g.MyStockArms[size_t(i)].SStockArmsNum = 2;
    }
    g.HaveBag = 0;
    g.HaveBagNum = 0;
    g.HaveSack = 3;
    const Long items[3][2] = {{0, 3}, {9, 1}, {12, 1}};
    for (int i = 0; i < 3; ++i) {
        SackEntry& e = g.MySack[size_t(i)];
        e.HHaveSackNo = items[i][0];
        e.HHaveSackNum = items[i][1];
        e.HHaveGyoku = false;
    }
}

}  // namespace

void InitGame(Game& g) {
    g.ScreenWidthPx = ScreenWidth(g);
    g.PlaceX = 0;
    g.PlaceX2 = RGN_PixelToTwipX(g, g.ScreenWidthPx - 64);
    g.SpriteTop = RGN_ScreenHeight(g) - RGN_SpriteHeight(g.HeroSprite) - g.frmUnderMes->Height + 20;
    PlaceMessageBars(g);
    g.rng.Randomize(g.host.Seed());
    ResetEveryRun(g);
    if (!g.LoadingGame) {
        NewGameSettings(g);
        FillDataTables(g);
        ShopIncident(g, 0);
        ResetTablesForNewGame(g);
        g.CarpenOrder.fill(0);
        for (auto& row : g.ShopHaveHouse) row.HLHouseNum = row.HLHouseTime = 0;
        NewGameHeroine(g);
    } else {
        g.MyNowHp = g.MyMaxHp;
        g.MyNowBody = g.MyMaxBody;
        g.MyNowWater = g.MyMaxWater;
    }
    StartingInventories(g);
}

void PlaceMessageBars(Game& g) {
    g.laidOutFor = g.host.WorkArea();
    g.ScreenWidthPx = ScreenWidth(g);
    g.ScreenWidthTwips = RGN_PixelToTwipX(g, ScreenWidth(g));
    auto& bar = g.frmUnderMes.get();
    bar.Top = RGN_ScreenHeight(g) - bar.Height;
    bar.Left = RGN_WorkLeft(g);
    bar.Width = g.ScreenWidthTwips;
    auto& bar2 = g.frmUnderMes2.get();
    bar2.Top = RGN_ScreenHeight(g) - bar2.Height;
    bar2.Left = RGN_WorkLeft(g);
    bar2.Width = g.ScreenWidthTwips;
    bar2.LBLMessage[0].Width = g.ScreenWidthTwips;
    bar.Show();
}

}  // namespace q
