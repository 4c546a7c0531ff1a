// The game's clock and calendar: steps become clock units, units become
// days and months, with all that a day and a month bring; and the month's
// theft or fire at the shop.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// Units 1 counts one step of a scene clock and passes a unit when enough
// steps are counted; any other number passes that many units at once. Time
// that passes brings hunger, in the field the conditions, and with Strain
// the strain of a deal.
void AdvanceTime(Game& g, Long Units, bool Strain);
// Moves the clock on by Units (100 to a day).
void PassTime(Game& g, Long Units);
// 0 schedule the next incident, 1 the theft's day, 2 the fire's day,
// 3 announce the theft, 4 announce the fire.
void ShopIncident(Game& g, Long IncidentKind);

// Steps of a scene clock to one unit of time.
Long StepsPerUnit(const Game& g);

inline constexpr Long UnitsPerDay = 100;
inline constexpr Long DaysPerMonth = 30;
inline constexpr Long Rent = 5000;
inline constexpr Long LowestBalance = -9999999;
inline constexpr Long LowestSharePrice = 700;
inline constexpr Long HighestSharePrice = 1300;

}  // namespace q
