#include "core/frmOpen.h"

#include <array>
#include <filesystem>

#include "core/InitGame.h"
#include "core/Startup.h"
#include "save/SaveFile.h"
#include "shop/frmShop.h"

namespace q {

namespace {

constexpr Color TitleBack = 0x00C0C000;  // red 0, green 192, blue 192
constexpr Color TitleBlue = 0x00C00000;
constexpr Color LightGrey = 0x00E0E0E0;
constexpr Color Navy = 0x00800000;
constexpr const char* TitleText = "Quorvane";
constexpr const char* Authors = "Zenlo && Pirel";

struct LineDesign {
    Color color;
    int width;
    int x1, y1, x2, y2;
};

// The frame of fourteen lines: a light outer edge, a navy inner frame open at
// the top where the title stands, and a white line beside each navy one.
constexpr std::array<LineDesign, 14> FrameLines{{
    {LightGrey, 2, 0, 2160, 3480, 2160},
    {LightGrey, 2, 3480, -360, 3480, 2160},
    {LightGrey, 3, 0, 0, 0, 2160},
    {LightGrey, 3, 0, 0, 3480, 0},
    {Navy, 3, 120, 240, 840, 240},
    {Navy, 3, 240, 120, 240, 2040},
    {Navy, 3, 240, 2040, 3240, 2040},
    {Navy, 3, 2640, 240, 3360, 240},
    {Navy, 3, 3240, 120, 3240, 2040},
    {vbWhite, 3, 3255, 120, 3255, 2040},
    {vbWhite, 3, 2640, 260, 3360, 260},
    {vbWhite, 3, 240, 2056, 3240, 2056},
    {vbWhite, 3, 255, 120, 255, 2040},
    {vbWhite, 3, 120, 260, 840, 260},
}};

// The lines are numbered in the window's design as 11-14 for the edge,
// then 1-5 navy and 6-10 white.
constexpr std::array<int, 14> LineNumbers{11, 12, 13, 14, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};


void PlaceButton(CommandButton& b, const char* caption, int left, int top, int width, int tab, const char* tip) {
    b.Caption = caption;
    b.Left = left;
    b.Top = top;
    b.Width = width;
    b.Height = 255;
    b.TabIndex = tab;
    b.ToolTipText = Quoted(tip);
    b.FontName = "ＭＳ Ｐゴシック";
    b.FontSize = 8.25;
    b.Visible = true;
    b.Enabled = true;
}

}  // namespace

frmOpen::frmOpen(Game& g) : GameForm(g, "frmOpen") {
    add(cmdStart);
    add(cmdContinue);
    add(cmdHelp);
    add(cmdExit);
    add(Label1);
    add(Label2);
    add(Lines);
    cmdStart.Click = [this] { cmdStart_Click(); };
    for (int i = 0; i < 3; ++i) cmdContinue[i].Click = [this, i] { cmdContinue_Click(i); };
    cmdHelp.Click = [this] { cmdHelp_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    Label1.DblClick = [this] { Label1_DblClick(); };
    // The white shadow lies over the title: a double click there is the title's.
    Label2.DblClick = [this] { Label1_DblClick(); };
}

void frmOpen::Design() {
    Caption = "+++ Quorvane +++";
    Width = 3495;
    Height = 2175;
    BackColor = TitleBack;
    KeyPreview = true;
    PlaceButton(cmdStart, "はじめる", 720, 600, 2055, 0, "新しく冒険をはじめます");
    PlaceButton(cmdContinue[0], "つづき", 720, 960, 2055, 1, "続きから冒険をはじめます");
    PlaceButton(cmdContinue[1], "つづき１", 720, 960, 975, 6, "続きから冒険をはじめます");
    PlaceButton(cmdContinue[2], "つづき２", 1800, 960, 975, 7, "続きから冒険をはじめます");
    for (auto& b : cmdContinue) b->Visible = false;
    PlaceButton(cmdHelp, "ヘルプ", 720, 1320, 2055, 2, "ヘルプファイルを開きます");
    PlaceButton(cmdExit, "おわる", 720, 1680, 2055, 3, "Quorvaneを終了します");
    for (Label* l : {&Label1, &Label2}) {
        l->AutoSize = false;
        l->BackTransparent = true;
        l->FontName = "ＭＳ Ｐゴシック";
        l->FontSize = 14.25;
        l->FontBold = true;
        l->FontItalic = true;
        l->FontUnderline = true;
        l->Caption = TitleText;
        l->Width = 1995;
        l->Height = 405;
    }
    Label1.Left = 960;
    Label1.Top = 120;
    Label1.ForeColor = TitleBlue;
    Label1.TabIndex = 4;
    Label1.ToolTipText = Quoted("Quorvane");
    Label2.Left = 980;
    Label2.Top = 140;
    Label2.ForeColor = vbWhite;
    Label2.TabIndex = 5;
    for (size_t i = 0; i < FrameLines.size(); ++i) {
        Line& l = Lines[LineNumbers[i]];
        const LineDesign& d = FrameLines[i];
        l.BorderColor = d.color;
        l.BorderWidth = d.width;
        l.X1 = d.x1;
        l.Y1 = d.y1;
        l.X2 = d.x2;
        l.Y2 = d.y2;
    }
    Lines[0].Visible = false;
}

void frmOpen::Form_Load() {
    Game& g = game;
    if (g.LoadingGame) return;
    if (g.TimersSuspended) {
        // New Game Plus: the park's talk has unloaded the game and shows us unseen.
        g.LoadingGame = true;
        InitGame(g);
        g.LoadingGame = false;
        g.NewGame = true;
        g.frmShop->Show();
        return;
    }
    if (!g.host.AcquireInstanceLock()) {
        g.host.MsgBox("多重起動起動防止システム作動！\r\nゲームを強制終了します！", vbCritical, "");
        Unload();
        return;
    }
    for (auto& b : cmdContinue) {
        b->Visible = false;
        b->Enabled = false;
    }
    if (SaveFileExists(1)) {
        cmdContinue[1].Visible = true;
        cmdContinue[1].Enabled = true;
    }
    if (SaveFileExists(2)) {
        cmdContinue[2].Visible = true;
        cmdContinue[2].Enabled = true;
    }
    if (!cmdContinue[1].Visible && !cmdContinue[2].Visible) cmdContinue[0].Visible = true;
    g.StageForm = this;
    InitGame(g);
    CenterOnScreen();
    Visible = true;
    for (int i : {1, 2, 0}) {
        if (cmdContinue[i].Enabled) {
            cmdContinue[i].SetFocus();
            return;
        }
    }
    cmdStart.SetFocus();
}

void frmOpen::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == 27) cmdExit_Click();
}

void frmOpen::cmdStart_Click() {
    Game& g = game;
    InitGame(g);
    g.NewGame = true;
    g.frmShop->Show();
    Unload();
}

void frmOpen::cmdContinue_Click(int Index) {
    Game& g = game;
    if (LoadGame(g, Index)) {
        g.LoadingGame = true;
        g.NewGame = false;
        Unload();
        g.frmShop->Show();
        g.frmShop.Unload();
        g.LoadingGame = false;
        return;
    }
    g.host.MsgBox("改造データの疑いがあります。\nこのセーブデータはロードできません。", vbOKOnly, "");
    cmdExit_Click();
}

void frmOpen::cmdHelp_Click() { OpenHelp(game); }

void frmOpen::cmdExit_Click() {
    UnloadFormsExcept(game, Name());
    Unload();
}

void frmOpen::SetTitle(const std::string& text, double size) {
    for (Label* l : {&Label1, &Label2}) {
        l->Caption = text;
        if (size > 0) l->FontSize = size;
    }
}

void frmOpen::Label1_DblClick() {
    const std::string& now = Label1.Caption;
    if (now == TitleText) {
        SetTitle("  Ver" + std::to_string(VersionMajor) + "." + std::to_string(VersionMinor) +
                     std::to_string(VersionRevision) + "  ",
                 0);
    } else if (now != Authors) {
        SetTitle(Authors, 11);
    } else {
        SetTitle(TitleText, 14);
    }
}

}  // namespace q
