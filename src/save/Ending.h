// The ending: the story "EndingSpeech" that closes a cleared game, from the
// queen's audience to the credits, the clear record, the offer to save the
// cleared game and the last farewell.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// The steps of the ending with a fixed meaning.
inline constexpr Long EndingFirstStep = 10;
inline constexpr Long EndingSavePromptStep = 150;
inline constexpr Long EndingAfterPromptStep = 199;

// Performs step StoryNo of the ending and shows its line; asks, and answers,
// the save questions. The field's ending turn calls it on every advance,
// holding every click off while it runs.
void EndingSpeechText(Game& g);

// The ending's procedures by name: EndingSpeechText, WriteClearFile,
// ClearRankText and WriteNumberFile.
void RegisterEnding(Game& g);

}  // namespace q
