// One frame of a walking animation: the gauges, the scenery and the figures
// of the mode, each walking figure cycling base, base+1, base, base+2 and
// moving on the first and third phase.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

enum WalkMode : Long {
    WalkHeroine = 0,     // the heroine walks or steps in place
    WalkCustomers = 1,   // the customer walks in, the previous one walks out
    WalkLeaver = 2,      // the previous customer walks out
    WalkVisitor = 3,     // the visitor walks up to the standing heroine
    WalkCarriage = 4,    // the carriage takes the heroine along the road
};

void WalkStep(Game& g, bool WalkLeft, Long Mode);

}  // namespace q
