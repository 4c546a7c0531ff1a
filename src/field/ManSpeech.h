// The ten people met on the road: their pictures, their hints for each area,
// their trades in arms, and the two long-standing acquaintances with a gift.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

inline constexpr Long PersonCount = 10;
// The person's picture facing right; one higher facing left.
Long PersonSprite(Long kind);

// Composes the line of ManKind for ManMode and StoryNo into MessageText, sets
// the next StoryNo, settles a trade at steps 21 (accepted) and 41 (refused)
// and shows the line.
void ManSpeechText(Game& g);

}  // namespace q
