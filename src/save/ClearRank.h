// The estate agent's verdict on a cleared game: the play scored, ranked from
// Ｓ to Ｅ and commented on, with his gifts handed out.
#pragma once

#include <string>

#include "core/GameState.h"

namespace q {

class Game;

// The score of the play, 11 to 100, from the state as it stands. Reads
// HaveArmsNum for the arms collected.
Long ClearScore(const Game& g);

// The verdict the clear record prints after "総評価：": lines each ending
// with a line feed. Hands out the agent's gifts (three recipes on a first
// clear, the energy-saving earring on a later good one), sets ElapsedYears
// and, last, GameCleared.
std::string ClearRankText(Game& g);

}  // namespace q
