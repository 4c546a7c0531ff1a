// What the events of the way have alike: the figure that stands before the
// heroine, the frame of the scene, the end of an event that shows nothing,
// and the sack's items that act by themselves.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// A figure met on the way stands this many pixels before the heroine.
inline constexpr Long FigureGap = 50;
// The blank sprite: the stairs, a thing lying on the ground.
inline constexpr Long BlankFigure = 393;

// VisitorX: the given number of pixels before the heroine in her walking
// direction.
void PlaceVisitor(Game& g, Long pixels = FigureGap);
// A figure's picture for her walking direction: facing her, one higher when
// she walks left.
Long FacingPicture(const Game& g, Long right, Long left);

// One frame of the field: the scenery, the heroine, the figure at VisitorX
// (none for NoSprite) and the gauges.
void FieldFrame(Game& g, Long figure = NoSprite);

// An event given up before it showed anything: the walk goes on.
void QuietEnd(Game& g);

// Whether the sack holds the item; leaves its entry in WorkIndex.
bool SackHolds(Game& g, Long item);
// One piece of an item the sack holds is used up.
void UseUpOne(Game& g, Long item);

// Whether an arm of this rarity is taken on a roll 0..19: 13 rolls in 20
// for a common arm, 5 for a rare one, 2 for the rarest. An arm found lying
// counts a unique or event arm as common; a seller never offers one.
bool ArmTaken(Long rarity, Long roll, bool foundLying);
// The pendants' extra draw of an arm: valuable 28's two, then valuable 18's
// two; counts the one it gives. False when none is left.
bool LuckyReroll(Game& g);

// The heroine's pictures when she faces right, by her looks.
Long HeroRight(const Game& g);

// Items that act by themselves while they are in the sack.
inline constexpr Long BranchOfLifeItem = 8;
inline constexpr Long TrapEscapeItem = 35;
inline constexpr Long ChestKeyItem = 36;

}  // namespace q
