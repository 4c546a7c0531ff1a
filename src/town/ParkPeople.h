// The people of the three parks, each with the talks they choose from.
#pragma once

#include <span>

#include "town/TalkScript.h"

namespace q {

std::span<const Person> HanodaPeople();
std::span<const Person> AmuletPeople();
std::span<const Person> ElwindPeople();

// Every person but the makers and the ghost speaks of the demon's fall first.
inline bool DemonBeaten(const Game& g) { return g.BossOK[11]; }

}  // namespace q
