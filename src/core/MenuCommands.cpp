// The scene menu's commands: sleeping, opening and closing the shop, the
// status pages, going out to the board and quitting.
#include "core/Clock.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "shop/ListWindows.h"
#include "shop/frmFrame.h"
#include "shop/frmShop.h"
#include "shop/frmStatus.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long SignOpen = 396;

// Sleeping and opening happen in the shop: its sign and the heroine.
void ShopFrame(Game& g) { g.frmShop->DrawFrame(frmShop::FrameInit | frmShop::FrameGauges); }

}  // namespace

void mSleep_Click(Game& g) {
    g.MyNowHp = g.MyMaxHp;
    g.MyNowBody = g.MyMaxBody;
    g.MyNowWater = g.MyMaxWater;
    ClearConditions(g);
    PassTime(g, 50);
    ShowMessage(g, "半日寝てステータスが回復しました");
    RefreshListWindow(g);
    if (g.frmShop.loaded()) ShopFrame(g);
}

void mClose_Click(Game& g) {
    if (g.AutoNext) return;
    const Long kind = g.ShopEventKind;
    if (kind == ShopEventRobber || kind == ShopEventRoyalOrder || kind == ShopEventCollection ||
        kind == ShopEventSwordsman)
        return;
    g.WaitingAnswer = false;
    g.AutoBlocked = true;
    g.MenuLocked = true;
    g.AnswerKey = AnswerNone;
    g.SavedStoryName = g.StoryName;
    g.StoryName = "ShopClose";
    if (g.EventBusy) g.SavedStoryNo = g.StoryNo;
    g.StoryNo = 0;
    g.Call("frmShop.ShopClose");
}

void mOpen_Click(Game& g) {
    g.HeroSprite = HeroFront(g);
    g.PlaceSprite = SignOpen;
    g.HeroX = RGN_PixelToTwipX(g, 80);
    if (g.frmShop.loaded()) ShopFrame(g);
    g.frmUnderMes->LBLMessage[0].Caption = "";
    g.MessageText.clear();
    g.EnemyName.clear();
    g.LastVisitorSprite = NoSprite;
    g.LeaverSprite = NoSprite;
    g.VisitorSprite = NoSprite;
    g.frmUnderMes2.Unload();
    g.UseSecondBar = false;
    g.ShopOpen = true;
    g.AutoBlocked = false;
    g.RobberCame = false;
    Timer& clock = g.frmShop->Timer1;
    clock.Interval = g.SpeedInterval;
    clock.Enabled = true;
    RefreshListWindow(g);
}

void mOut_Click(Game& g) {
    if (g.FacilityFormName == "frmItemShop") {
        if (Form* f = g.FindForm("frmItemShop")) f->Unload();
        if (Form* f = g.FindForm("frmGyoku")) f->Unload();
    }
    GoToPlace(g, "Board", "", "", "");
}

void mEnd_Click(Game& g) {
    // The clock runs while the menu is open: an item chosen from it is
    // taken only as the menu would offer it now (a customer's arrival may
    // have brought on auto mode, in which no click or key answers).
    if (g.GameEnding || g.MenuLocked || QuitGreyedByAuto(g)) return;
    AskToQuit(g, QuitFrom::SceneMenu);
}

void mStatus_Click(Game& g) {
    if (!g.ListName.empty()) {
        CloseListWindows(g);
        return;
    }
    frmStatus& status = g.frmStatus.get();
    status.Top = RGN_ScreenHeight(g) - status.Height - RGN_PixelToTwipY(g, ListGapPixels);
    status.Left = RGN_WorkLeft(g);
    status.Show();
    g.ListTop = status.Top;
    g.ListLeft = status.Left;
    frmFrame& frame = g.frmFrame.get();
    PlaceFrame(g, g.ListTop, g.ListLeft);
    frame.Show();
    for (int i = 0; i <= 6; ++i) frame.cmdFrame[i].Enabled = true;
    g.ListName = "frmStatus";
    g.ListForm = &status;
}

void RegisterMenuCommands(Game& g) {
    g.SetHandler("frmMenu.mSleep_Click", [&g](Long) { mSleep_Click(g); });
    g.SetHandler("frmMenu.mClose_Click", [&g](Long) { mClose_Click(g); });
    g.SetHandler("frmMenu.mOpen_Click", [&g](Long) { mOpen_Click(g); });
    g.SetHandler("frmMenu.mStatus_Click", [&g](Long) { mStatus_Click(g); });
    g.SetHandler("frmMenu.mOut_Click", [&g](Long) { mOut_Click(g); });
    g.SetHandler("frmMenu.mEnd_Click", [&g](Long) { mEnd_Click(g); });
}

}  // namespace q
