// What the shop and the field have alike as scenes: the clock Timer1, the
// keep-in-front Timer2 and the auto-mode wait Timer3, found by name on the
// stage, and clicks and keys handed to the input routine.
#pragma once

#include "core/Game.h"

namespace q {

class SceneForm : public GameForm {
public:
    SceneForm(Game& game, std::string name);

    Timer Timer1{*this, "Timer1"};  // the scene clock
    Timer Timer2{*this, "Timer2"};  // keeping in front
    Timer Timer3{*this, "Timer3"};  // the end of the auto-mode wait

    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    // One tick of the scene clock.
    virtual void Timer1_Timer() = 0;
    void Timer2_Timer();
    // When the timed wait is over, one tick of the scene clock.
    void Timer3_Timer();
};

}  // namespace q
