// Keeping the game's windows in front of other programs, and the quit question.
#pragma once

namespace q {

class Game;

// Once a second while always-on-top is on: the bars take the game's colour
// while a game window is in front, the system colour otherwise, and the
// game's windows are lifted above the other program. Release drops them.
void KeepOnTop(Game& g, bool Release);
// The quit commands: keep the running story and ask. From the scene menu,
// the robber's and the lake monster's fights keep the story they return to
// as well; the board's command also forgets the last answer.
enum class QuitFrom { SceneMenu, Board };
void AskToQuit(Game& g, QuitFrom from);
// The story "VBEnd": asks on the second bar whether to quit.
void QuitStory(Game& g);

inline constexpr const char* GameCaption = "+++ Quorvane +++";

}  // namespace q
