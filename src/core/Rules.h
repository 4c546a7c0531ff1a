// The game rules' procedures by name, for the simulator's `call` and the
// story dispatcher.
#pragma once

namespace q {

class Game;

void RegisterRules(Game& g);

}  // namespace q
