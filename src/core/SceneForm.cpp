#include "core/SceneForm.h"

#include "core/KeepOnTop.h"
#include "core/StoryInput.h"

namespace q {

SceneForm::SceneForm(Game& g, std::string name) : GameForm(g, std::move(name)) {
    add(Timer1);
    add(Timer2);
    add(Timer3);
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
}

void SceneForm::Form_MouseDown(int Button, int, int, int) { MessageInput(game, Button, 0, InputFormClick); }

void SceneForm::Form_KeyDown(int KeyCode, int Shift) { MessageInput(game, KeyCode, Shift, InputKey); }

void SceneForm::Timer2_Timer() { KeepOnTop(game, false); }

void SceneForm::Timer3_Timer() {
    if (EndResumeWait(game)) Timer1_Timer();
}

}  // namespace q
