#pragma once

namespace q {

class Game;

// Registers the stage's variables and public procedures with a new game.
void RegisterStage(Game& g);

}  // namespace q
