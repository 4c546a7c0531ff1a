// The heroine's body through time (conditions, hunger and thirst, the
// strain of deals) and her growth through experience.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// One turn of the condition counters; poison hurts. True when her HP is
// used up (outside battle the faint has then started).
bool StatusTurn(Game& g);
// One turn of hunger and thirst. True when she fainted.
bool HungerTurn(Game& g);
// The strain of a deal. True when she fainted.
bool StrainDamage(Game& g);

// Experience after a won battle, the experience item, or a deal.
void GainExp(Game& g);
// One level up with its growth; redraws the scene.
void LevelUp(Game& g);

// The valuable that slows hunger and thirst to a third.
inline constexpr int SlowHungerValuable = 16;

}  // namespace q
