// The town people's talk: every conversation in the towns that is not a
// deal. Each call performs step StoryNo of the talk that the place, the town,
// the person and the story state select, and shows its line.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

void TownSpeech(Game& g);

// GyokuReward(2) := the first sack entry holding a jewel (only one already
// handed to the collector when OnlyHanded), or 99999 when there is none.
void FindSackJewel(Game& g, bool OnlyHanded);

// The talk of each place, selected by TownSpeech.
void ParkSpeech(Game& g);
void LakeSpeech(Game& g);
void CastleSpeech(Game& g);
void SmithSpeech(Game& g);
void CarpenterSpeech(Game& g);
void FortuneSpeech(Game& g);
void BankSpeech(Game& g);
void ItemSpeech(Game& g);
void HouseSpeech(Game& g);
void ManiaSpeech(Game& g);

// TownSpeech, the development room and their procedures, by name.
void RegisterTownTalk(Game& g);

}  // namespace q
