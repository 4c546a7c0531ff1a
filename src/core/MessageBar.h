// The message bars: one text row as wide as the screen, just above the
// taskbar, with three labels on one row: the line, and two choices.
#pragma once

#include "core/Game.h"
#include "forms/Control.h"

namespace q {

// The game's own colour of the bars, and the colour they take while another
// program is in front.
constexpr Color BarColor = 13486257;  // red 177, green 200, blue 205
constexpr Color BarColorOutside = vbScrollBars;
constexpr int BarHeight = 195;

class MessageBar : public GameForm {
public:
    MessageBar(Game& game, std::string name);
    ControlArray<Label> LBLMessage;

    void Design() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void LBLMessage_MouseDown(int Index, int Button, int Shift, int X, int Y);

    // Captions of all three labels emptied.
    void ClearLabels();

protected:
    // What a click on a label does once the input routine has seen it.
    virtual void LabelClick(int Index, int Button) = 0;
};

}  // namespace q
