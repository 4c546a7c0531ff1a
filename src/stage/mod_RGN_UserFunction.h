// The stage's public procedures: the frame of the sprite stage (init, draw
// per sprite, apply), screen measures, the foreground window's title, sprite
// heights and the conversions between twips and pixels.
#pragma once

#include <string>
#include <type_traits>

#include "core/GameState.h"

namespace q {

class Game;
class Form;

// Makes the form a stage: at 0, 0, as wide as the screen and as high as the
// stage (for width and height -1), its image cleared and its frame empty.
// The first call of a run fills the outline table.
void RGN_InitForm(Game& g, Form& form, Long mode = 1, Long width = -1, Long height = -1);

void DrawSprite(Game& g, Long sprite, Form& form, double& x, double& y);

// Draws a sprite at x, y (twips). Both are snapped toward zero to whole
// pixels first, and a variable passed for them keeps the snapped value.
template <class X, class Y>
void RGN_Draw(Game& g, Long sprite, Form& form, X&& x, Y&& y) {
    double sx = static_cast<double>(x), sy = static_cast<double>(y);
    DrawSprite(g, sprite, form, sx, sy);
    if constexpr (std::is_lvalue_reference_v<X&&> && !std::is_const_v<std::remove_reference_t<X>>)
        x = static_cast<std::remove_cvref_t<X>>(sx);
    if constexpr (std::is_lvalue_reference_v<Y&&> && !std::is_const_v<std::remove_reference_t<Y>>)
        y = static_cast<std::remove_cvref_t<Y>>(sy);
}

// Shapes the form's window to the frame's outlines, starts the next frame
// empty and lets pending events run.
void RGN_Apply(Game& g, Form& form);

// The stage height: the screen less the taskbar, in twips; the bottom of
// the work area wherever the desktop's panels stand.
Long RGN_ScreenHeight(Game& g);
// The work area's left edge and width in twips: the stage and the bars span it.
Long RGN_WorkLeft(Game& g);
Long RGN_WorkWidth(Game& g);
// The title of the window in front (at most 127 bytes), or "".
std::string RGN_ForegroundTitle(Game& g);
// The height of a sprite's picture in twips (15 per pixel), 0 for no sprite.
Integer RGN_SpriteHeight(Long sprite);

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
