// The game initialiser's screen steps: measure the screen and lay the
// message bars across it just above the taskbar.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// The width of the screen in pixels: of its work area, between the panels
// at its sides.
Long ScreenWidth(Game& g);
// Makes the game state ready for play: a fresh new game, or New Game Plus
// while LoadingGame is set.
void InitGame(Game& g);
// Ends every condition.
void ClearConditions(Game& g);
// Places the main bar and shows it; loads the second bar in the same place, hidden.
void PlaceMessageBars(Game& g);

}  // namespace q
