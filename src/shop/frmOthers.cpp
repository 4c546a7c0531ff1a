#include "shop/frmOthers.h"

#include <array>

#include "core/GoToPlace.h"
#include "core/KeepOnTop.h"
#include "core/StoryInput.h"
#include "shop/ListWindows.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

struct CheckDesign {
    CheckBox frmOthers::*box;
    const char* caption;
    const char* tip;
    int left, top;
};

// The key list, row by row: what a key does, and the key.
constexpr std::array<std::pair<const char*, const char*>, 21> KeyRows{{
    {"強制終了", "[ ESC ]、"},
    {"メッセージを送る", "[ G ]、[ Enter ]"},
    {"「はい｣「買う」等", "[ Y ]"},
    {"「いいえ｣「買わない」等", "[ N ]"},
    {"速度切り替え", "[ S ]"},
    {"一時停止切り替え", "[ C ]"},
    {"常に前面切り替え", "[ F ]"},
    {"自動切り替え", "[ A ]"},
    {"足踏み切り替え", "[ M ]"},
    {"進行方向切り替え", "[ T ]"},
    {"状態１を開く", "[ Shift ] + [ 1 ]"},
    {"状態２を開く", "[ Shift ] + [ 2 ]"},
    {"事典を開く", "[ Shift ] + [ 3 ]"},
    {"貴重品を開く", "[ Shift ] + [ 4 ]"},
    {"依頼／株を開く", "[ Shift ] + [ 5 ]"},
    {"売り物を開く", "[ Shift ] + [ 6 ]"},
    {"倉庫を開く", "[ Shift ] + [ 7 ]"},
    {"武具鞄を開く", "[ Shift ] + [ 8 ]"},
    {"道具袋開く", "[ Shift ] + [ 9 ]"},
    {"その他を開く", "[ Shift ] + [ 0 ]"},
    {"ヘルプを開く", "[ Shift ] + [ H ]"},
}};

struct SpeedPair {
    Long interval, wait;
};
constexpr std::array<SpeedPair, 3> Speeds{{{200, 1000}, {500, 2000}, {1000, 3000}}};

// The field's frame as it stands: the places, the heroine, the figure she
// meets while an event runs, and the gauges with the pause or auto mark.
void RedrawField(Game& g) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_Draw(g, g.PlaceSprite, stage, g.PlaceX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite2, stage, g.PlaceX2, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    if (g.EventBusy && g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

// The scene's frame again after auto mode changed, so its mark shows.
void RedrawScene(Game& g) {
    if (!g.StageForm) return;
    if (g.SceneFormName == "frmField") return RedrawField(g);
    Form& stage = *g.StageForm;
    if (g.SceneFormName == "frmShop") {
        g.HeroSprite = 92 + 7 * g.FieldLevel;  // facing front
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        RGN_Draw(g, g.PlaceSprite, stage, StageSignX, g.SpriteTop);
        if (g.EventBusy) RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
        if (g.LeaverSprite != NoSprite) RGN_Draw(g, g.LeaverSprite, stage, g.LeaverX, g.SpriteTop);
    } else if (g.SceneFormName == "frmEvent") {
        g.HeroSprite = 96 + 7 * g.FieldLevel;  // facing right
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        if (g.EventField == "Park" || g.EventField == "Umi") {
            g.VisitorX = StageSignX + RGN_PixelToTwipX(g, 32);
            RGN_Draw(g, g.PlaceSprite, stage, g.VisitorX, g.SpriteTop);
        }
        if (g.EventField != "Park" && g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, stage, StageSignX, g.SpriteTop);
    } else {
        return;
    }
    DrawGauges(g);
    RGN_Apply(g, stage);
}

}  // namespace

void ApplySpeed(Game& g, Long speed) {
    const Long s = speed == 0 || speed == 1 ? speed : 2;
    g.SpeedFlg = s;
    g.SpeedInterval = Speeds[size_t(s)].interval;
    g.AutoWait = Speeds[size_t(s)].wait;
}

frmOthers::frmOthers(Game& g) : ListWindow(g, "frmOthers", 9) {
    add(ChkLeftRight);
    add(ChkAuto2);
    add(ChkAuto);
    add(ChkStop);
    add(ChkConfirm);
    add(OPTSpeed);
    add(ChkShow);
    add(LBLStatus);
    add(lstList);
    ChkAuto.Click = [this] { ChkAuto_Click(); };
    ChkStop.Click = [this] { ChkStop_Click(); };
    ChkShow.Click = [this] { ChkShow_Click(); };
    ChkAuto2.Click = [this] { ChkAuto2_Click(); };
    ChkConfirm.Click = [this] { ChkConfirm_Click(); };
    ChkLeftRight.Click = [this] { ChkLeftRight_Click(); };
    for (int i = 0; i < 3; ++i) OPTSpeed[i].Click = [this, i] { OPTSpeed_Click(i); };
    // Keys typed on a box or the list go to the window, which hands them on.
    for (CheckBox* box : {&ChkLeftRight, &ChkAuto2, &ChkAuto, &ChkStop, &ChkConfirm, &ChkShow})
        box->KeyDown = [this](int k, int s) { Form_KeyDown(k, s); };
    lstList.KeyDown = [this](int k, int s) {
        if (k < 37 || k > 40) Form_KeyDown(k, s);
    };
    lstList.DblClick = [this] { CloseListWindows(game); };
    PassMouse(LBLStatus);
}

void frmOthers::Design() {
    DesignWindow(3615, ListWindowHeight);
    BackColor = RGB(224, 224, 224);
    const std::array<CheckDesign, 6> boxes{{
        {&frmOthers::ChkLeftRight, "：進行方向(左へ)", "フィールドで歩く方向を右にします", 120, 60},
        {&frmOthers::ChkAuto2, "：足踏みモード", "フィールドで、その場で足踏みします", 1860, 60},
        {&frmOthers::ChkAuto, "：自動モード", "店やフィールドで、自動で動きます", 120, 300},
        {&frmOthers::ChkStop, "：一時停止", "フィールドで主人公が歩かなくなります", 1860, 300},
        {&frmOthers::ChkConfirm, "：確認モード", "物を捨てたり、使う時の確認メッセージを表示します", 120, 540},
        {&frmOthers::ChkShow, "：常に前面", "ゲームを常に前面に表示します", 1860, 540},
    }};
    for (const auto& b : boxes) {
        CheckBox& c = this->*b.box;
        c.Caption = b.caption;
        c.ToolTipText = Quoted(b.tip);
        c.Left = b.left;
        c.Top = b.top;
        c.Width = 1680;
        c.Height = 225;
        c.Value = 0;
        c.Enabled = true;
        c.BackColor = RGB(224, 224, 224);
    }
    LBLStatus.Caption = "速度";
    LBLStatus.ToolTipText = Quoted("ゲームの進行スピードを速くします");
    LBLStatus.Left = 120;
    LBLStatus.Top = 810;
    const std::array<std::pair<const char*, const char*>, 3> speeds{{
        {"：速", "ゲームの進行スピードを速くします"},
        {"：普", "ゲームの進行スピードを普通にします"},
        {"：遅", "ゲームの進行スピードを遅くします"},
    }};
    for (int i = 0; i < 3; ++i) {
        OPTSpeed[i].Caption = speeds[size_t(i)].first;
        OPTSpeed[i].ToolTipText = Quoted(speeds[size_t(i)].second);
        OPTSpeed[i].Left = 720 + i * 960;
        OPTSpeed[i].Top = 780;
        OPTSpeed[i].Width = 900;
        OPTSpeed[i].Height = 225;
        OPTSpeed[i].Value = false;
        OPTSpeed[i].BackColor = RGB(224, 224, 224);
    }
    lstList.Left = 60;
    lstList.Top = 1080;
    lstList.Width = 3495;
    lstList.Height = ListWindowHeight - 60 - lstList.Top;
    lstList.ClearColumns();
    lstList.ClearItems();
}

void frmOthers::Form_Load() {
    Game& g = game;
    SettingsLoading = true;
    ChkShow.Value = g.FrontFLG ? 1 : 0;
    for (int i = 0; i < 3; ++i) OPTSpeed[i].Value = false;
    OPTSpeed[g.SpeedFlg == 0 || g.SpeedFlg == 1 ? int(g.SpeedFlg) : 2].Value = true;
    ChkStop.Value = g.OnceStop ? 1 : 0;
    ChkAuto2.Value = g.Stepping ? 1 : 0;
    ChkConfirm.Value = g.DBUFLG ? 1 : 0;
    // The boxes show the state that will hold once a pending change is applied.
    ChkAuto.Value = g.AutoNextChange == 1 ? 0 : g.AutoNextChange == 2 ? 1 : (g.AutoNext ? 1 : 0);
    ChkLeftRight.Value = g.LeftModeChange == 1 ? 1 : g.LeftModeChange == 2 ? 0 : (g.LeftMode ? 1 : 0);
    const bool field = InScene("frmField");
    ChkLeftRight.Enabled = field;
    ChkStop.Enabled = field;
    ChkAuto2.Enabled = field;
    lstList.ClearColumns();
    lstList.AddColumn("機能", 1970);
    lstList.AddColumn("操作", 1350);
    lstList.ClearItems();
    for (const auto& [what, keys] : KeyRows) lstList.AddItem(what).SetSubItem(1, keys);
    lstList.Refresh();
    SettingsLoading = false;
}

void frmOthers::ChkAuto_Click() {
    if (SettingsLoading) return;
    Game& g = game;
    const bool current = g.AutoNextChange == 1 ? false : g.AutoNextChange == 2 ? true : g.AutoNext;
    const bool deferred = g.EventBusy && InShopOrField();
    if (!current) {
        if (deferred) g.AutoNextChange = 2;
        else g.AutoNextChange = 0, g.AutoNext = true;
    } else {
        if (deferred) g.AutoNextChange = 1;
        else g.AutoNextChange = 0, g.AutoNext = false;
    }
    RedrawScene(g);
}

void frmOthers::ChkStop_Click() {
    if (SettingsLoading) return;
    Game& g = game;
    if (g.OnceStop) {
        g.OnceStop = false;
        if (InScene("frmField")) {
            if (Timer* t = g.StageTimer("Timer1")) {
                t->Interval = g.SpeedInterval;
                t->Enabled = true;
            }
        }
    } else {
        g.OnceStop = true;  // the field's clock stops itself at its next tick
    }
    if (InScene("frmField")) RedrawField(g);
}

void frmOthers::ChkAuto2_Click() {
    if (SettingsLoading) return;
    game.Stepping = !game.Stepping;
}

void frmOthers::ChkConfirm_Click() {
    if (SettingsLoading) return;
    game.DBUFLG = !game.DBUFLG;
}

void frmOthers::ChkShow_Click() {
    if (SettingsLoading) return;
    Game& g = game;
    if (g.FrontFLG) {
        KeepOnTop(g, true);
        g.FrontFLG = false;
        if (Timer* t = g.StageTimer("Timer2")) t->Interval = 0;
    } else {
        g.FrontFLG = true;
        if (Timer* t = g.StageTimer("Timer2")) t->Interval = 1000;
    }
}

void frmOthers::ChkLeftRight_Click() {
    if (SettingsLoading) return;
    Game& g = game;
    const bool left = g.LeftModeChange == 1 ? true : g.LeftModeChange == 2 ? false : g.LeftMode;
    const bool toLeft = !left;
    const bool field = InScene("frmField");
    if (g.EventBusy) {
        if (field) {
            g.LeftModeChange = toLeft ? 1 : 2;
        } else {
            g.LeftMode = toLeft;
            g.LeftModeChange = 0;
        }
    } else {
        g.LeftMode = toLeft;
        g.LeftModeChange = 0;
        if (field) g.HeroSprite = (toLeft ? 93 : 96) + 7 * g.FieldLevel;
    }
    if (field && !g.EventBusy) RedrawField(g);
}

void frmOthers::OPTSpeed_Click(int Index) {
    if (SettingsLoading) return;
    Game& g = game;
    Long speed = Index;
    if (g.KeyInvoked) speed = g.SpeedFlg == 0 ? 2 : g.SpeedFlg == 1 ? 0 : 1;
    ApplySpeed(g, speed);
    // Only a clock that is running takes the new speed: a clock a deal or a
    // wait has stopped takes it when it is started again.
    if (InScene("frmField") || (InScene("frmShop") && g.ShopOpen)) {
        Timer* t = g.StageTimer("Timer1");
        if (t && t->running()) t->Interval = g.SpeedInterval;
    }
}

}  // namespace q
