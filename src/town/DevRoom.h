// The development room in Amulet: the makers answer the heroine's questions
// about making the game, one topic at a time, in the facility window.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// The facility window's list of topics, its button "聞く" and the room's
// idle line; the room's part of the window's Form_Load.
void KaihatsuWindow(Game& g);
// A click of the room: a topic chosen, one line of it, or back to idle.
void KaihatsuBuyTurn(Game& g);
// The line of topic ListIndex at step StoryNo; the thanks topic writes the
// number file at its step 21.
void DevRoomSpeech(Game& g);

// The room's procedures by name: "frmItemShop.KaihatsuWindow",
// "frmItemShop.KaihatsuBuyTurn", "DevRoomSpeech".
void RegisterDevRoom(Game& g);

}  // namespace q
