// The monster viewer: one monster whose jewel was handed to the collector,
// with its picture, numbers, habits, drops and description, and buttons
// that step through the known monsters or go back to the collector's list.
#pragma once

#include "core/Game.h"

namespace q {

class frmGyoku : public GameForm {
public:
    explicit frmGyoku(Game& game);

    ControlArray<PictureBox> picDot{*this, "picDot", 1};
    ControlArray<TextBox> TXTValue{*this, "TXTValue", 14};
    ControlArray<Label> LBLValue{*this, "LBLValue", 13};
    RichTextBox rtxtSetumei{*this, "rtxtSetumei"};
    ControlArray<CommandButton> CMDbutton{*this, "CMDbutton", 3};
    Line Line1{*this, "Line1"};
    Line Line2{*this, "Line2"};

    void Design() override;
    // Shows the monster WorkIndex.
    void Form_Load() override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    // 0 the previous known monster, 1 back to the list, 2 the next one.
    void CMDbutton_Click(int Index);
};

}  // namespace q
