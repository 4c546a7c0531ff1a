// The save file format: ten lines of fixed columns of decimal digits, each
// stored through the line cipher. Lines 1 to 7 carry the game, lines 8 to
// 10 only noise. One description of every line serves the writer and the
// reader alike, so both always agree on each field's column, width, sign
// and range.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "core/GameState.h"
#include "data/Tables.h"

namespace q {

class Game;

inline constexpr int SaveLineCount = 10;
inline constexpr int SaveLinesRead = 7;
using SaveLines = std::array<std::string, SaveLineCount>;

// The longest plain line 1 to 7 can be: line 5 with every list at its
// largest (50 sack kinds, 150 bag pieces, 500 display and 500 warehouse
// entries, 5 orders).
inline constexpr std::array<std::size_t, SaveLinesRead> SaveLineMax{85, 152, 40, 18, 7686, 69, 4143};
inline constexpr std::size_t NoiseLineLength = 300;

// The towns a saved game can stand in, by the digit the file gives them.
inline constexpr std::array<const char*, 6> SaveTowns{"Hanoda", "Rein", "Shinen", "Elwind", "Tou", "Amulet"};

// The game state kept inside the data tables.
struct SavedTables {
    std::array<Long, ArmCount> LArmsSetPrice{};  // AllArms
    std::array<bool, ArmCount> LArmsList{};
    std::array<bool, KeyItemCount> LKeyList{};      // AllKey
    std::array<bool, MonsterCount> LGyokuList{};    // AllGyoku
    std::array<bool, RecipeCount> SLSmithRecipe{};  // SmithSell
    std::array<bool, CarpenterWorkCount> SLCarpenOk{};  // CarpenSell
    Long SharePrice = 0;                    // ShopSellHouse(9).SLHousePrice
};
SavedTables GatherTables(const Game& g);
void ApplyTables(Game& g, const SavedTables& t);

// "Quorvane_1.dat" or "Quorvane_2.dat".
std::string SaveFileName(int fileNumber);

// The ten plain lines of the game as it stands: file 1's when Slot is 0,
// file 2's otherwise. Draws the noise numbers from the game's generator and
// first brings the three pieces totals in line with their lists. A value
// that does not fit its field is held at the nearest value that does; a
// state no file can carry truthfully (an arm or item number past its table,
// a list longer than its container, a place that is no town) gives nothing.
std::optional<SaveLines> BuildSaveLines(Game& g, Long Slot);

// Reads plain lines 1 to 7 into `staged` and `tables`, which hold the state
// before the load; false when any line is too short or too long, or any
// field is not a number of its kind or lies outside its range. The pieces
// totals come from the lists.
bool ReadSaveLines(std::span<const std::string> plain, GameState& staged, SavedTables& tables);

}  // namespace q
