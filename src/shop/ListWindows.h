// The record of the open list window, and the two procedures every part of
// the game calls after it changes something a list window may show.
#pragma once

namespace q {

class Game;

// Rebuilds the open list window (reruns its Form_Load); nothing when none is open.
void RefreshListWindow(Game& g);
// Closes the list windows and their frame; nothing while a confirmation is open.
void CloseListWindows(Game& g);

}  // namespace q
