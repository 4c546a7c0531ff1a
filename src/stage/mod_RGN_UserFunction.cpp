#include "stage/mod_RGN_UserFunction.h"

#include <cmath>

#include "core/Game.h"

namespace q {

Long RoundHalfEven(double v) { return Long(std::nearbyint(v)); }

Long RGN_ScreenHeight(Game& g) { return RoundHalfEven(double(g.host.TwipsPerPixelY()) * g.host.StageHeightPixels()); }

Long RGN_PixelToTwipX(Game& g, double pixels) { return RoundHalfEven(pixels * g.host.TwipsPerPixelX()); }
Long RGN_PixelToTwipY(Game& g, double pixels) { return RoundHalfEven(pixels * g.host.TwipsPerPixelY()); }

static Long WholePixels(double twips, int tpp) {
    const Long t = RoundHalfEven(twips);
    const Long p = RoundHalfEven(tpp);
    return p == 0 ? 0 : t / p;  // C++ division truncates toward zero
}

Long RGN_TwipsToPixelX(Game& g, double twips) { return WholePixels(twips, g.host.TwipsPerPixelX()); }
Long RGN_TwipsToPixelY(Game& g, double twips) { return WholePixels(twips, g.host.TwipsPerPixelY()); }

}  // namespace q
