// What the items of the sack do. ApplyItemEffect uses one piece of an item on
// the heroine, on the enemy of the running fight or on the clock, and leaves
// the line to show (EffectMessage) and what must follow (EffectResult). Where
// an item may be used, and taking the piece out of the sack, are the sack
// window's business. HasSpecialItem tells whether the sack holds one of the
// items that work by themselves without being used.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// Applies one piece of item ItemId. EffectResult: EffectUsed, EffectCart,
// EffectEscape, EffectLevelUp, EffectToEntrance, or EffectNotUsed when the
// item can do nothing now (nothing is changed then).
void ApplyItemEffect(Game& g, Long ItemId);

// The items that act by themselves, by SpecialItem.
inline constexpr Long SpecialBranchOfLife = 0;  // revives a fainted heroine
inline constexpr Long SpecialTrapEscape = 1;    // gets her out of a trap once
inline constexpr Long SpecialChestKey = 2;      // opens a locked chest

// Whether the sack holds one piece of that item; the entry's index is left in
// WorkIndex for the caller that uses it up.
bool HasSpecialItem(Game& g, Long SpecialItem);

// The item numbers behind them.
inline constexpr Long ItemBranchOfLife = 8;
inline constexpr Long ItemTrapEscape = 35;
inline constexpr Long ItemChestKey = 36;

// ApplyItemEffect and HasSpecialItem by name.
void RegisterItemEffects(Game& g);

}  // namespace q
