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

    // The events of the way: each a select step that starts it and a turn
    // that the story dispatcher runs on every later click.
    void AssistSelect();  // the priest or the cart
    void AssistTurn();
    void ItemSelect();  // finds, losses, chests and the road sellers
    void ItemTurn();
    void NextFloorSelect();  // the stairs
    void NextFloorTurn();
    void BossSelect();
    void BossTurn();
    void ManSelect();  // people on the road
    void ManTurn();
    // The ending: sets the stage on the cave's last floor, then hands every
    // line to the ending talk.
    void EndingTurn();

private:
    void Scenery();
    void Start();
    void Frame(bool init);
    void ApplyDeferredSettings();
    void Pause();
    bool EndsOfTheWay();
    bool PlacesOfTheWay(Long from);  // from: her position before the frame's walk
    bool Reached(Long from, Long place) const;
    void Arrive(const std::string& town);
    void Revive();
    void AfterFaint();     // the clock after a faint: the branch of life, or stopped
    void PlayHeldFaint();  // the faint an event held, once the event is over
    Long FacingRight() const;
    Long FacingLeft() const;
};

}  // namespace q
