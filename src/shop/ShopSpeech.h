// The lines of the shop's visitors: the customers' deal lines and the shop
// events' lines, chosen by the running story, the visitor and the step.
#pragma once

#include <string>
#include <vector>

#include "core/GameState.h"

namespace q {

class Game;

// Composes the visitor's line for StoryNo into MessageText, shows it, and
// for most lines sets the step that follows. With no line for the step the
// previous text is shown again. A second deal starts here: the customer
// first names his next arm.
void ShopSpeech(Game& g);

// A sum of Karim as the shop writes it: "#,##0".
std::string FormatPrice(Long n);

// The time of day of a greeting: 0 morning (up to 30), 1 daytime (up to
// 70), 2 evening.
int TimeOfDay(Long NowTime);

// The arms a royal order may name: arms customers may name, of rarity 0,
// listed, and not ordered already. DealArm is left as it was.
std::vector<Long> OrderableArms(Game& g);

}  // namespace q
