// The field: the roads between the towns, the cave and the tower. Its clock
// walks the heroine one frame a tick, tests the ends of the way and the
// bosses' places, rolls one event and lets time pass.
#pragma once

#include "core/SceneForm.h"

namespace q {

class frmField : public SceneForm {
public:
    explicit frmField(Game& game);


    void Design() override;
    void Form_Load() override;

    void Timer1_Timer() override;
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
