#include "shop/frmShop.h"

#include <algorithm>

#include "core/Clock.h"
#include "core/GoToPlace.h"
#include "core/InitGame.h"
#include "core/Inventory.h"
#include "core/KeepOnTop.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "core/StoryInput.h"
#include "core/Walk.h"
#include "core/frmUnderMes.h"
#include "core/frmMenu.h"
#include "core/frmUnderMes2.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long SignClosed = 395;
constexpr Long ShabbyHouse = 409;
constexpr Long NewShop = 410;
constexpr Long Landlord = 89;
constexpr Long BranchOfLife = 8;
constexpr const char* IdleLine = "イザベラ：さて、何をしようかしら";

Long CostumeBase(const Game& g) { return g.FieldLevel == 0 ? 92 : g.FieldLevel == 1 ? 99 : 106; }

}  // namespace

Long HeroFront(const Game& g) { return CostumeBase(g); }
Long HeroFacingRight(const Game& g) { return CostumeBase(g) + 4; }

frmShop::frmShop(Game& g) : SceneForm(g, "frmShop") {}

void frmShop::Design() {
    Caption = "+++ Quorvane +++";
    BackColor = RGB(255, 0, 255);
    Timer1.Interval = 1000;
    Timer1.Enabled = true;
    Timer2.Interval = 0;
    Timer2.Enabled = true;
    Timer3.Interval = 0;
    Timer3.Enabled = false;
}

void frmShop::DrawFrame(int parts) {
    Game& g = game;
    if (parts & FrameInit) RGN_InitForm(g, *this, 1, -1, -1);
    RGN_Draw(g, g.PlaceSprite, *this, StageSignX, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, *this, g.HeroX, g.SpriteTop);
    if ((parts & FrameVisitor) && g.VisitorSprite != NoSprite && g.VisitorSprite != VisitorLeft)
        RGN_Draw(g, g.VisitorSprite, *this, g.VisitorX, g.SpriteTop);
    if ((parts & FrameLeaver) && g.LeaverSprite != NoSprite) RGN_Draw(g, g.LeaverSprite, *this, g.LeaverX, g.SpriteTop);
    if (parts & FrameGauges) DrawGauges(g);
    RGN_Apply(g, *this);
}

void frmShop::Form_Load() {
    Game& g = game;
    g.NoClick = NoClickAll;
    if (g.LoadingGame) {
        // A saved game goes straight on to the board of its town.
        g.Call("frmMenu.mOut_Click");
        return;
    }
    g.EventField = "Shop";
    g.SceneFormName = "frmShop";
    g.StageForm = this;
    g.LastMessage = IdleLine;
    Timer1.Interval = 0;
    Timer1.Enabled = false;
    g.AutoBlocked = true;
    g.RepeatDeal = 0;
    g.StoryNo = 0;
    ClearConditions(g);
    Timer2.Interval = g.FrontFLG ? 1000 : 0;
    // At least a pixel a step: on a narrow screen a step of 0 would never arrive.
    g.StepWidth = RGN_PixelToTwipX(g, std::max<Long>(1, (g.ScreenWidthPx - 120) / 300));
    if (g.NewGame) {
        g.HeroSprite = HeroFacingRight(g);
        g.VisitorSprite = Landlord;
        g.PlaceSprite = g.CarpenSell[0].SLCarpenOk ? NewShop : ShabbyHouse;
        g.HeroX = RGN_PixelToTwipX(g, -70);
        g.HeroWalkX = g.HeroX;
        g.VisitorX = RGN_PixelToTwipX(g, -35);
        DrawFrame(FrameInit | FrameVisitor);
        Timer1.Interval = 1;
        Timer1.Enabled = true;
        g.StoryName = "Opening";
        return;
    }
    ComingHome();
}

void frmShop::ComingHome() {
    Game& g = game;
    for (Long i = 0; i < g.HaveBag; ++i) g.AllArms[size_t(g.MyBag[size_t(i)].HHaveBagNo)].LArmsList = true;
    ApplyPendingAuto();
    g.HeroSprite = HeroFront(g);
    g.PlaceSprite = SignClosed;
    g.HeroX = RGN_PixelToTwipX(g, 80);
    DrawFrame(FrameInit | FrameGauges);
    g.ShopOpen = false;
    g.AutoBlocked = false;
    if (g.ResumeCode[0] == ResumeFainted) {
        ShowMessage(g, "イザベラ：無茶はいけないわね…。誰かが運んでくれたのかしら？");
    } else if (g.CarpenOrder[0] == 1) {
        ShowMessage(g, "イザベラ：頼んでいた店が完成しているわ♪大工のグェンさん、ありがとう");
        g.NowMaxShop = g.CarpenOrder[1];
        g.NowMaxStock = g.CarpenOrder[2];
        g.CarpenOrder.fill(0);
    } else if (g.CarpenOrder[0] >= 2) {
        ShowMessage(g, "イザベラ：増築が完了しているわ♪大工のグェンさん、ありがとう");
        g.NowMaxShop += g.CarpenOrder[1];
        g.NowMaxStock += g.CarpenOrder[2];
        g.CarpenOrder.fill(0);
    } else {
        ShowMessage(g, g.LastMessage);
        ShopIncident(g, 3);
        ShopIncident(g, 4);
    }
    RefreshListWindow(g);
    g.ResumeCode[0] = ResumeNone;
    g.NoClick = NoClickNone;
}

void frmShop::ApplyPendingAuto() {
    Game& g = game;
    if (g.AutoNextChange == 1) g.AutoNext = false;
    else if (g.AutoNextChange == 2) g.AutoNext = true;
    g.AutoNextChange = 0;
}

void frmShop::Timer1_Timer() {
    Game& g = game;
    if (g.TimersSuspended) return;
    if (g.NewGame) {
        Timer1.Interval = 500;
        Timer1.Enabled = false;
        OpeningGo();
        return;
    }
    if (!g.EventBusy) {
        if (g.AutoNextChange == 1) {
            Timer1.Enabled = true;
            Timer1.Interval = g.SpeedInterval;
            g.AutoNext = false;
        } else if (g.AutoNextChange == 2) {
            g.AutoNext = true;
        }
        if (g.DieFlg && g.AutoNext) {
            if (!g.RevivePending || !Revive()) {
                // In auto mode the clock drives the faint's story.
                g.NoClick = NoClickNone;
                g.StoryNo = g.StoryNo == 1 ? 2 : 1;
                Timer1.Interval = 0;
                Timer1.Enabled = false;
                GameOverStory(g);
            }
            return;
        }
    }
    if (!g.ShopOpen) {
        Timer1.Interval = 0;
        return;
    }
    if (g.StoryName == "VBEnd" || g.StoryName == "ShopClose") return;
    if (g.EventBusy) {
        CustomerTick();
        return;
    }
    IdleTick();
}

void frmShop::CustomerTick() {
    Game& g = game;
    switch (g.ShopPhase) {
        case ShopCustomerChosen:
            Timer1.Interval = 100;
            g.WaitingAnswer = false;
            g.ShopPhase = ShopWalkingIn;
            break;
        case ShopWalkingIn: WalkStep(g, false, WalkCustomers); break;
        case ShopArrived:
            Timer1.Interval = 0;
            g.ShopPhase = ShopTalking;
            g.StoryName = "ShopBuySell";
            BuyANDSellItem();
            break;
        case ShopTalking:
            if (!g.AutoNext) break;
            if (g.AutoClickPending || g.AutoAnswerPending) {
                g.NoClick = NoClickNone;
                ConsumeAutoAdvance(g);
                g.NoClick = NoClickLeft;
            }
            break;
        case ShopLeaving:
            ApplyPendingAuto();
            g.StoryName.clear();
            Timer1.Interval = g.SpeedInterval;
            g.LastVisitorSprite = g.VisitorSprite;
            g.LeaverSprite = g.VisitorSprite - 3;
            g.LeaverX = g.VisitorX;
            g.VisitorSprite = VisitorLeft;
            g.EventBusy = false;
            break;
        default: break;
    }
}

void frmShop::IdleTick() {
    Game& g = game;
    if (g.LeaverSprite != NoSprite) WalkStep(g, true, WalkLeaver);
    g.VisitorSprite = VisitorLeft;
    ShowMessage(g, "");
    TimerEvent();
    AdvanceTime(g, 1, false);
    if (g.DieFlg && !(g.RevivePending && Revive())) {
        // The faint story goes on click by click, in an empty shop.
        if (g.EventBusy) SendAwayAtTheDoor();
        Timer1.Interval = 0;
        Timer1.Enabled = false;
    }
}

// The customer this tick chose has not come in yet (he is not drawn): she
// has fainted, and he goes away. Nobody is in the shop, so in auto mode the
// clock drives the faint's story as on any idle tick.
void frmShop::SendAwayAtTheDoor() {
    Game& g = game;
    g.EventBusy = false;
    g.ShopPhase = ShopIdle;
    g.ShopEventKind = ShopEventNone;
    g.VisitorSprite = VisitorLeft;
}

bool frmShop::Revive(bool stopClock) {
    Game& g = game;
    // The branch is looked up again: the sack may have changed since she
    // fainted (used or dumped from the sack window meanwhile).
    if (!SackCheck(g, BranchOfLife, 1, false, false) || !SackChange(g, BranchOfLife, g.WorkIndex, true, 1, false)) {
        g.RevivePending = false;
        g.StoryName = "GameOver";
        return false;
    }
    g.MyNowHp = Long(double(g.MyMaxHp) * 0.5);
    ShowMessage(g, "い……意識が………。生命の枝が七色の光を放つ……。イザベラの体力が回復した！");
    if (stopClock && !g.AutoNext) {
        Timer1.Interval = 0;
        Timer1.Enabled = false;
        g.ResumePending = true;
    }
    DrawFrame(FrameInit | (g.EventBusy ? FrameVisitor : 0) | FrameLeaver | FrameGauges);
    g.RevivePending = false;
    g.DieFlg = false;
    RefreshListWindow(g);
    AutoAdvanceWait(g);
    return true;
}

void frmShop::CustomerLeaves() {
    Game& g = game;
    if (g.CloseRequest == CloseClosing) {
        mClose_Click(g);
        return;
    }
    g.ShopPhase = ShopLeaving;
    Timer1_Timer();
}

void frmShop::ShopClose() {
    Game& g = game;
    g.NoClick = NoClickLeft;
    g.AutoBlocked = true;
    if (g.CloseRequest != CloseClosing) {
        if (g.ShopEventKind >= 1) {
            g.NoClick = NoClickNone;
            g.AutoBlocked = false;
            return;
        }
        if (g.EventBusy && g.StoryNo == 0) {
            g.CloseRequest = CloseAfterCustomer;
            g.UseSecondBar = true;
            ShowMessage(g, "イザベラ：今はお客さんがいるから、帰った時に閉店するわね");
            g.NoClick = NoClickNone;
            return;
        }
        if (g.EventBusy && g.StoryNo == 1) {
            // The deal goes on where it was; the shop closes when the customer has gone.
            g.MenuLocked = false;
            g.StoryName = g.SavedStoryName;
            g.SavedStoryName.clear();
            g.StoryNo = g.SavedStoryNo;
            if (!g.frmUnderMes->LBLMessage[1].Caption->empty()) g.WaitingAnswer = true;
            g.frmUnderMes2.Unload();
            g.CloseRequest = CloseClosing;
            g.UseSecondBar = false;
            g.AutoBlocked = false;
            g.NoClick = NoClickNone;
            return;
        }
        if (!g.EventBusy) CloseNow();
        return;
    }
    if (g.StoryNo == 0) {
        g.UseSecondBar = true;
        ShowMessage(g, "イザベラ：ここらで一休みしましょう♪");
        g.NoClick = NoClickNone;
        return;
    }
    CloseNow();
}

void frmShop::CloseNow() {
    Game& g = game;
    ApplyPendingAuto();
    g.HelperPresent = false;
    g.HeroSprite = HeroFront(g);
    g.PlaceSprite = SignClosed;
    g.HeroX = RGN_PixelToTwipX(g, 80);
    DrawFrame(FrameInit | FrameGauges);
    g.frmUnderMes2.Unload();
    g.UseSecondBar = false;
    ShowMessage(g, g.LastMessage);
    g.frmUnderMes->LBLMessage[1].Caption = "";
    g.LeaverSprite = NoSprite;
    g.StoryNo = 0;
    g.StoryName.clear();
    g.ShopPhase = ShopIdle;
    g.AnswerKey = AnswerNone;
    g.EventBusy = false;
    g.MenuLocked = false;
    g.CloseRequest = CloseNone;
    Timer1.Interval = 0;
    g.ShopOpen = false;
    g.AutoBlocked = false;
    g.NoClick = NoClickNone;
    RefreshListWindow(g);
}

}  // namespace q
