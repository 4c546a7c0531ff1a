// The list windows' procedures by name: the dispatcher's story handlers, the
// menu command and the tab keys, and the simulator's `call`.
#pragma once

namespace q {

class Game;

void RegisterListWindows(Game& g);

}  // namespace q
