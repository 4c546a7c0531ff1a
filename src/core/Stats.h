// The heroine's numbers changed by key within their bounds, and fainting.
#pragma once

#include <string_view>

#include "core/GameState.h"

namespace q {

class Game;

// Adds Amount (negative to take away) to the stat named by Key, held within
// that stat's bounds. For "Hp", "Body" and "Water" Current changes what she
// has now instead of the maximum. StatDelta keeps what was applied.
void AddStat(Game& g, double Amount, std::string_view Key, bool Current = false);

// Fainting, by StoryNo: 0 the faint, 1 the toll, 2 waking up.
void GameOverStory(Game& g);

// The lines of fainting.
inline constexpr const char* FaintLine = "イザベラ：い……意識が………";
inline constexpr const char* RobbedLine = "強盗：ふんっ！これに懲りたら、最初から出すんだな。有り金全て貰ってくぜ！";
inline constexpr const char* ExhaustedLine = "イザベラは、過度の疲労で倒れた。評判とカリムが減った";
inline constexpr const char* AwayLine = "イザベラは気を失った。評判が減り、カリムと武具・道具がなくなった";

}  // namespace q
