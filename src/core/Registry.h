// Registers every module's variables and procedures with a new game, for
// the simulator and the tests.
#pragma once

namespace q {

class Game;

void RegisterAll(Game& g);
void RegisterCore(Game& g);

}  // namespace q
