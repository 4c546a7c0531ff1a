// The third message bar: the game keeper's number game. His lines, a box for
// the guess and the button that hands it in.
#pragma once

#include "core/Game.h"

namespace q {

class frmUnderMes3 : public GameForm {
public:
    explicit frmUnderMes3(Game& game);

    Label LBLMessage{*this, "LBLMessage"};
    TextBox txtNumber{*this, "txtNumber"};
    CommandButton cmdOK{*this, "cmdOK"};

    void Design() override;

    // One step of the game, chosen by StoryNo: Number is the guess, or 9999
    // for a plain click.
    void GameMessage(Long Number);
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;

private:
    void cmdOK_Click();
    void txtNumber_GotFocus();
    void txtNumber_KeyPress(int& KeyAscii);
    void LBLMessage_MouseDown(int Button, int Shift, int X, int Y);
    void cmdOK_KeyDown(int KeyCode, int Shift);
    void txtNumber_KeyDown(int KeyCode, int Shift);

    void Judge(Long guess);
    void Hit();
    void Miss(Long guess);
    void Reward();
    void TellAnswer();
    // Back to the box with the last guess selected for typing over.
    void RefocusBox();
    void CloseInput();
};

// A plain click on the bar, as the story dispatcher passes it on.
inline constexpr Long PlainClick = 9999;

}  // namespace q
