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

    // How the timers run the clock's tick: never one inside another. A tick
    // asked for while one runs (a frame or a wait lets the timers tick) is
    // not run inside it: the clock's own next tick comes on its interval;
    // the end of a wait ticks once the running tick is over, unless that
    // tick began a new wait, whose end will tick instead.
    void ClockTick(bool waitEnded);

private:
    bool ticking_ = false;
    bool waitTickDeferred_ = false;
};

}  // namespace q
