#include "core/SceneForm.h"

#include "core/KeepOnTop.h"
#include "core/StoryInput.h"

namespace q {

SceneForm::SceneForm(Game& g, std::string name) : GameForm(g, std::move(name)) {
    add(Timer1);
    add(Timer2);
    add(Timer3);
    Timer1.OnTimer = [this] { ClockTick(false); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
}

void SceneForm::Form_MouseDown(int Button, int, int, int) { MessageInput(game, Button, 0, InputFormClick); }

void SceneForm::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

void SceneForm::Timer2_Timer() { KeepOnTop(game, false); }

void SceneForm::Timer3_Timer() {
    if (EndResumeWait(game)) ClockTick(true);
}

void SceneForm::ClockTick(bool waitEnded) {
    if (ticking_) {
        if (waitEnded) waitTickDeferred_ = true;
        return;
    }
    {
        struct Running {
            bool& flag;
            explicit Running(bool& f) : flag(f) { flag = true; }
            ~Running() { flag = false; }
        } running(ticking_);
        Timer1_Timer();
    }
    if (!waitTickDeferred_) return;
    waitTickDeferred_ = false;
    if (loaded() && game.StageForm == this && !Timer3.running()) ClockTick(true);
}

}  // namespace q
