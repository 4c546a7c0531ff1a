#include "shop/frmFrame.h"

#include <array>

#include "core/StoryInput.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

struct TabDesign {
    int left, top;
    const char* caption;
    const char* tip;
};

// By button index; the buttons read in the order of TabOrder.
constexpr std::array<TabDesign, 10> Tabs{{
    {0, 0, "状態1", "ステータス１を表示します"},
    {720, 0, "状態2", "ステータス２を表示します"},
    {1440, 0, "事典", "店に持ち帰ったことのある武具の一覧です"},
    {2160, 0, "貴重品", "貴重品の一覧です"},
    {0, 240, "売り物", "店に置いてある武具の一覧です"},
    {720, 240, "倉庫", "倉庫に置いてある武具の一覧です"},
    {1440, 240, "武具鞄", "鞄に入っている武具の一覧です"},
    {2160, 240, "道具袋", "袋に入っている道具の一覧です"},
    {2880, 0, "依頼/株", "依頼品や持ち株の一覧です"},
    {2880, 240, "その他", "いろいろな設定を変更できます"},
}};

constexpr int ButtonWidth = 735;
constexpr int ButtonHeight = 255;

}  // namespace

frmFrame::frmFrame(Game& g) : GameForm(g, "frmFrame") {
    add(cmdFrame);
    for (int i = 0; i < 10; ++i) cmdFrame[i].Click = [this, i] { cmdFrame_Click(i); };
}

void frmFrame::Design() {
    Caption = "+++ Quorvane +++";
    Width = 2880 + ButtonWidth;
    Height = FrameHeight;
    static_assert(FrameHeight == 240 + ButtonHeight);
    for (int i = 0; i < 10; ++i) {
        CommandButton& b = cmdFrame[i];
        const TabDesign& d = Tabs[size_t(i)];
        b.Caption = d.caption;
        b.ToolTipText = Quoted(d.tip);
        b.Left = d.left;
        b.Top = d.top;
        b.Width = ButtonWidth;
        b.Height = ButtonHeight;
        b.Enabled = true;
    }
    for (size_t order = 0; order < TabOrder.size(); ++order) cmdFrame[TabOrder[order]].TabIndex = int(order);
}

void frmFrame::cmdFrame_Click(int Index) {
    Game& g = game;
    if (g.ListConfirm || Index < 0 || Index > 9) return;
    if (Form* open = g.ListName.empty() ? nullptr : g.app.find(g.ListName)) open->Unload();
    g.ListForm = nullptr;
    g.ShopArmsSel = 0;
    g.BagSel = 0;
    g.SackSel = 0;
    g.KeepSelCount = 0;
    for (auto& b : cmdFrame) b->Enabled = true;
    g.ListName = TabWindow(Index);
    if (Form* window = ListWindowForm(g, g.ListName)) {
        g.ListForm = window;
        window->Top = g.ListTop;
        window->Left = g.ListLeft;
        window->Show();
    }
    PlaceFrame(g, g.ListTop, g.ListLeft);
    Show();
}

void frmFrame::Form_KeyDown(int KeyCode, int Shift) {
    Game& g = game;
    if (KeyCode == vbKeyI && Shift == vbShiftMask) {
        if (g.ListName.empty()) return;
        if (auto* window = dynamic_cast<ListWindow*>(g.app.find(g.ListName)); window && window->loaded())
            if (Control* first = window->FirstControl()) first->SetFocus();
        return;
    }
    MessageInput(g, KeyCode, Shift, InputKey);
}

void frmFrame::Form_DblClick() { CloseListWindows(game); }

}  // namespace q
