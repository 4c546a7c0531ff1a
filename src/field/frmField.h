// The field: the roads between the towns, the cave and the tower. Its clock
// walks the heroine one frame a tick, tests the ends of the way and the
// bosses' places, rolls one event and lets time pass.
#pragma once

#include "core/Game.h"

namespace q {

class frmField : public GameForm {
public:
    explicit frmField(Game& game);

    Timer Timer1{*this, "Timer1"};  // the walking clock
    Timer Timer2{*this, "Timer2"};  // keeping in front
    Timer Timer3{*this, "Timer3"};  // the end of the auto-mode wait

    void Design() override;
    void Form_Load() override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;

    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    // The per-step event roll.
    void TimerEvent();

private:
    void Scenery();
    void Start();
    void Frame(bool init);
    void ApplyDeferredSettings();
    void Pause();
    bool EndsOfTheWay();
    bool PlacesOfTheWay();
    void Arrive(const std::string& town);
    void Revive();
    Long FacingRight() const;
    Long FacingLeft() const;
};

}  // namespace q
