// The desktop's work area (the screen less its panels) can change while the
// game runs: a panel added, moved or gone, the screen resized.
#pragma once

namespace q {

class Game;

// Moves what the game placed in the work area with it: the bars across its
// bottom, the stage above them with its figures standing on the bar, and
// the windows placed above the bar, which keep their distance from its
// bottom-left corner. Nothing before the bars are first placed.
void FollowWorkArea(Game& g);

}  // namespace q
