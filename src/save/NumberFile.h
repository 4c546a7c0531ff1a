// The number file "Number.txt": a form for players who have come this far to
// mail to the game's makers, with a proof code that carries the game date.
#pragma once

#include <string>

#include "core/GameState.h"

namespace q {

class Game;

inline constexpr const char* NumberFileName = "Number.txt";

// The 22 plain digits of the proof code of a game date.
std::string ProofCode(Long Year, Long Month, Long Day);

// Writes "Number.txt" in the current folder, replacing any earlier one. A
// file that cannot be written is told in a message box; false then.
bool WriteNumberFile(Game& g);

}  // namespace q
