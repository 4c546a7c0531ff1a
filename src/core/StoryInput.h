// The story protocol: every click and key of the game reaches the running
// story through MessageInput, KeyToClick and AdvanceStory; auto mode
// advances it through a timed wait on the stage's clock.
#pragma once

#include <string>
#include <vector>

namespace q {

class Game;

// Kinds of input event.
enum InputKind { InputKey = 0, InputFormClick = 1, InputLabelClick = 2 };

// The one input routine: global keys, the auto-mode filter, then a click
// or a key for the story.
void MessageInput(Game& g, int KeyOrButton, int Shift, int Kind);
// A key as a click, or as the answer to an open question.
void KeyToClick(Game& g, int KeyCode, int Shift = 0);
// The dispatcher: the click gates in order, then one step of the story.
void AdvanceStory(Game& g, int Button);
// Auto mode: arm the timed wait after a line or a question.
void AutoAdvanceWait(Game& g);
// The shop's clock stands still until her click (a faint's line or the
// branch's revival, played by hand), with no auto-mode wait running.
bool ShopClockWaitsForAClick(const Game& g);
void StartResumeWait(Game& g, int Milliseconds);
// The stage's Timer3 wait: true when the whole seconds since the wait began
// have reached its length.
bool ResumeWaitOver(Game& g);

// One tick of a scene clock in auto mode: advances the line or answers the
// question with Y, as the timed wait left it. False when nothing was pending.
bool ConsumeAutoAdvance(Game& g);
// The stage's Timer3 during the timed wait: when the wait is over, stops
// Timer3 (and restarts the field's clock) and returns true, so the scene runs
// one tick of its clock.
bool EndResumeWait(Game& g);

// A question asked over the running story waits for its answer: the quit
// question or a list window's confirmation. Nothing may start another
// question or deal meanwhile, or the answer would go to the wrong owner.
bool QuestionOverStory(const Game& g);

// The names in the dispatcher's rows: the handler it calls for a story.
std::vector<std::string> DispatchedNames();

// The F5 state line.
std::string StoryStateLine(const Game& g);

}  // namespace q
