// The stage's public procedures: screen measures and the conversions
// between twips and pixels that the rest of the game uses.
#pragma once

#include "core/GameState.h"

namespace q {

class Game;

// The stage height: the screen less the taskbar, in twips.
Long RGN_ScreenHeight(Game& g);
// Pixels to twips, rounded to a whole number with halves to even.
Long RGN_PixelToTwipX(Game& g, double pixels);
Long RGN_PixelToTwipY(Game& g, double pixels);
// Twips to whole pixels: both operands rounded (halves to even), the
// quotient truncated toward zero.
Long RGN_TwipsToPixelX(Game& g, double twips);
Long RGN_TwipsToPixelY(Game& g, double twips);

// Rounds to a whole number, halves to even.
Long RoundHalfEven(double v);

}  // namespace q
