// The fixed rules of the game world that several scenes share: place names,
// customers, the monsters and arms of an area, cart fares and travel times,
// field finds, the listed arms and the time the game has lasted.
#pragma once

#include <string>
#include <string_view>

#include "core/GameState.h"

namespace q {

class Game;

// The current place as the status page shows it: area and place.
std::string PlaceName(Game& g);
// 1 when a customer comes into the shop, 2 when nobody does.
Integer CustomerComes(Game& g, Long Fame);
// AreaEnemyMin..AreaEnemyMax: the monsters of the area.
void SetMonsterRange(Game& g);
// Kind 0: DealArm, the bound of the arms customers ask for. Kind 1: the arms
// lying in the area; 2: the monsters whose jewel the item shop may hold by
// surprise; any other kind: the monsters met so far. Each in RangeMin..RangeMax.
void SetRange(Game& g, Long Kind);
// AssistFee, TravelTime and TravelTimeText of a cart ride: between two towns
// (FromTown), or from the heroine's place on the road FromKey to its end.
void CartFare(Game& g, std::string_view FromKey, std::string_view ToKey, bool FromTown);
// One road's fare and time, added to AssistFee and TravelTime.
void AddRoadFare(Game& g, std::string_view RoadKey);
// FareTown: the display name of a town or dungeon key.
void TownName(Game& g, std::string_view Key);
// The item found on a field step, or NoItemFound.
Long FieldFind(Game& g);
// CountAll: the number of listed arms. Otherwise 500 when every arm is
// listed, else 0.
Long CollectedArmsCount(Game& g, bool CountAll);
// The years and months since the game's first day; sets ElapsedYears.
std::string ElapsedTimeText(Game& g);

inline constexpr Long CustomerComing = 1;
inline constexpr Long NoCustomer = 2;

}  // namespace q
