// The town board: the heroine and the town's sign board on the desktop, the
// board's popup menu leading into the facilities, along the roads and home,
// and the board's own events (the month's economy, saving, the lake and the
// castle talk, entering a facility).
#pragma once

#include "core/Game.h"

namespace q {

class frmEvent : public GameForm {
public:
    explicit frmEvent(Game& game);

    Timer Timer2{*this, "Timer2"};  // keeping in front; the board has no scene clock

    void Design() override;
    void Form_Load() override;
    void Form_MouseDown(int Button, int Shift, int X, int Y) override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Timer2_Timer();

    // The board event that BoardCommand and EventField select.
    void BoardEvent();

private:
    void ShowBoard();
    void SaveDialogue();
    void LakeAndCastle();
    void EnterPlace();
    void Reset();
    void AskSave();
};

// Opens the facility window of EventField with its keeper's line.
void EnterFacility(Game& g);

// The board menu's commands.
void RegisterBoardMenu(Game& g);

}  // namespace q
