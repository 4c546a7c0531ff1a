#include "stage/mod_RGN_UserFunction.h"

#include <cmath>

#include "core/Game.h"
#include "stage/mod_RGN_Proc.h"

namespace q {

Long RoundHalfEven(double v) { return Long(std::nearbyint(v)); }

void RGN_InitForm(Game& g, Form& form, Long mode, Long width, Long height) { InitRegionForm(g, form, mode, width, height); }

void RGN_Apply(Game& g, Form& form) { ApplyRegion(g, form); }

Integer RGN_SpriteHeight(Long sprite) { return GetSpriteHeight(sprite); }

Long RGN_ScreenHeight(Game& g) { return RoundHalfEven(double(g.host.TwipsPerPixelY()) * g.host.WorkArea().bottom); }

Long RGN_WorkLeft(Game& g) { return RoundHalfEven(double(g.host.TwipsPerPixelX()) * g.host.WorkArea().left); }

Long RGN_WorkWidth(Game& g) {
    const PixelRect area = g.host.WorkArea();
    return RoundHalfEven(double(g.host.TwipsPerPixelX()) * (area.right - area.left));
}

std::string RGN_ForegroundTitle(Game& g) {
    // The title comes through a buffer of 128 characters, the last one zero.
    constexpr size_t Room = 127;
    std::string title = g.host.ForegroundTitle();
    title = title.substr(0, title.find('\0'));
    if (title.size() > Room) {
        size_t cut = Room;
        // Never leave half a character behind.
        while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) --cut;
        title.resize(cut);
    }
    return title;
}

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
