// The ending's start: on the cave's last floor, once its last boss is beaten,
// the queen comes to the heroine; the ending talk tells the rest line by line.
#include <string>

#include "core/Game.h"
#include "core/Startup.h"
#include "field/FieldEvents.h"
#include "field/frmField.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long Queen = 82;
constexpr Long QueenX = 900;
constexpr Long EndingStartStep = 10;

void SetTheStage(Game& g, Form& stage) {
    g.EventBusy = true;
    g.AutoBlocked = true;
    g.StoryName = "EndingSpeech";
    g.HeroX = RGN_PixelToTwipX(g, 20);
    g.HeroSprite = HeroRight(g);
    g.VisitorSprite = Queen;
    RGN_InitForm(g, stage, 1, -1, -1);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    RGN_Draw(g, Queen, stage, QueenX, g.SpriteTop);
    RGN_Apply(g, stage);
}

// The click after the ending's last line: every window goes, and with the
// last one the program ends.
void CloseEverything(Game& g) {
    const std::string stage = g.StageForm ? g.StageForm->Name() : std::string();
    UnloadFormsExcept(g, stage);
    if (g.StageForm) g.StageForm->Unload();
    UnloadFormsExcept(g, "");
    g.TimersSuspended = true;
}

}  // namespace

void frmField::EndingTurn() {
    Game& g = game;
    g.NoClick = NoClickAll;
    if (g.StoryNo == StoryAfterEndNo) {
        CloseEverything(g);
        return;
    }
    if (g.StoryNo == EndingStartStep) SetTheStage(g, *this);
    g.Call("EndingSpeechText");
    g.NoClick = NoClickNone;
}

}  // namespace q
