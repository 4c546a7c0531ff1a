// The shop's and the list windows' procedures and story handlers by name.
#pragma once

namespace q {

class Game;

void RegisterShop(Game& g);

}  // namespace q
