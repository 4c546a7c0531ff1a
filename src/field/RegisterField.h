// The field's events and the number game's bar, by the names the story
// dispatcher, the walking clock and the other windows call them.
#pragma once

namespace q {

class Game;

void RegisterField(Game& g);

}  // namespace q
