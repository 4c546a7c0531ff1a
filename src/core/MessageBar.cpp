#include "core/MessageBar.h"

#include "core/StoryInput.h"

namespace q {

MessageBar::MessageBar(Game& g, std::string name) : GameForm(g, std::move(name)), LBLMessage(*this, "LBLMessage", 3) {
    add(LBLMessage);
    for (int i = 0; i < LBLMessage.size(); ++i)
        LBLMessage[i].MouseDown = [this, i](int b, int s, int x, int y) { LBLMessage_MouseDown(i, b, s, x, y); };
}

void MessageBar::Design() {
    Caption = "+++ Quorvane +++";
    Left = 0;
    Top = 0;
    Width = 9000;
    Height = BarHeight;
    BackColor = BarColor;
    const int lefts[3] = {45, 360, 960};
    for (int i = 0; i < 3; ++i) {
        Label& l = LBLMessage[i];
        l.FontName = "ＭＳ Ｐゴシック";
        l.FontSize = 8;
        l.ForeColor = vbBlack;
        l.FontUnderline = false;
        l.Enabled = true;
        l.Visible = true;
        l.AutoSize = true;
        l.Caption = "";
        l.Left = lefts[i];
        l.Top = 30;
    }
}

void MessageBar::ClearLabels() {
    for (auto& l : LBLMessage) l->Caption = "";
}

void MessageBar::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, 0); }

void MessageBar::Form_MouseDown(int Button, int, int, int) { MessageInput(game, Button, 0, 1); }

void MessageBar::LBLMessage_MouseDown(int Index, int Button, int Shift, int, int) {
    (void)Shift;
    // A disabled label takes no clicks at all.
    if (!LBLMessage[Index].Enabled) return;
    MessageInput(game, Button, 0, 2);
    LabelClick(Index, Button);
}

}  // namespace q
