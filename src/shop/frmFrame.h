// The tab frame above the open list window: ten buttons in two rows, one
// per list window, that switch between them.
#pragma once

#include "core/Game.h"

namespace q {

class frmFrame : public GameForm {
public:
    explicit frmFrame(Game& game);

    ControlArray<CommandButton> cmdFrame{*this, "cmdFrame", 10};

    void Design() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_DblClick() override;

    // Opens the window of a tab in place of the open one, at the anchor.
    void cmdFrame_Click(int Index);
};

}  // namespace q
