// The one scene switch of the game, and the gauges drawn into every frame.
#pragma once

#include <string>

#include "core/GameState.h"

namespace q {

class Game;

// Shows the scene of a place: "Shop", "Board" or a facility key on the town
// board, "In" or the empty place (a road between LeftTown and RightTown) in
// the field.
void GoToPlace(Game& g, const std::string& Place, const std::string& LeftTownName,
               const std::string& RightTownName, const std::string& Area);

// Adds the three gauge gems, the pause or auto mark and the hired swordsman
// to the frame being drawn on the stage.
void DrawGauges(Game& g);
// The gauge row stands this many pixels above SpriteTop, the highest any
// figure of the stage is drawn.
inline constexpr int GaugeRowPixels = 15;

// Where the shop's sign, a board's figure and a facility's keeper stand on
// the stage (twips from its left).
inline constexpr Long StageSignX = 900;

// The marks of the settings that DrawGauges shows.
inline constexpr Long AutoMark = 398;
inline constexpr Long PauseMark = 399;

}  // namespace q
