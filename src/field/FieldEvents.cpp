#include "field/FieldEvents.h"

#include <algorithm>
#include <array>

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Inventory.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

void PlaceVisitor(Game& g, Long pixels) {
    const Long gap = RGN_PixelToTwipX(g, pixels);
    g.VisitorX = g.LeftMode ? g.HeroX - gap : g.HeroX + gap;
}

Long FacingPicture(const Game& g, Long right, Long left) { return g.LeftMode ? left : right; }

void FieldFrame(Game& g, Long figure) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    RGN_InitForm(g, stage, 1, -1, -1);
    RGN_Draw(g, g.PlaceSprite, stage, g.PlaceX, g.SpriteTop);
    RGN_Draw(g, g.PlaceSprite2, stage, g.PlaceX2, g.SpriteTop);
    RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
    if (figure != NoSprite) RGN_Draw(g, figure, stage, g.VisitorX, g.SpriteTop);
    DrawGauges(g);
    RGN_Apply(g, stage);
}

void QuietEnd(Game& g) {
    g.EventName.clear();
    g.StoryName.clear();
    g.StoryNo = 0;
    g.VisitorSprite = NoSprite;
    g.EventBusy = false;
    g.NoClick = NoClickNone;
}

bool SackHolds(Game& g, Long item) { return SackCheck(g, item, 1, false, false); }

void UseUpOne(Game& g, Long item) { SackCheck(g, item, 1, false, true); }

namespace {

constexpr std::array<Long, 2> RarestRolls{0, 19};
constexpr std::array<Long, 5> RareRolls{1, 3, 8, 11, 17};
constexpr std::array<Long, 13> CommonRolls{2, 4, 5, 6, 7, 9, 10, 12, 13, 14, 15, 16, 18};
constexpr size_t LuckPendant = 28;
constexpr size_t HappyPendant = 18;
constexpr Long ExtraDraws = 2;

template <size_t N>
bool Among(const std::array<Long, N>& rolls, Long roll) {
    return std::find(rolls.begin(), rolls.end(), roll) != rolls.end();
}

}  // namespace

bool ArmTaken(Long rarity, Long roll, bool foundLying) {
    switch (rarity) {
        case 2: return Among(RarestRolls, roll);
        case 1: return Among(RareRolls, roll);
        case 0: return Among(CommonRolls, roll);
        default: return foundLying && Among(CommonRolls, roll);
    }
}

bool LuckyReroll(Game& g) {
    if (g.AllKey[LuckPendant].LKeyList && g.LuckRerolls28 < ExtraDraws) {
        ++g.LuckRerolls28;
        return true;
    }
    if (g.AllKey[HappyPendant].LKeyList && g.LuckRerolls18 < ExtraDraws) {
        ++g.LuckRerolls18;
        return true;
    }
    return false;
}

Long HeroRight(const Game& g) { return g.FieldLevel == 0 ? 96 : g.FieldLevel == 1 ? 103 : 110; }

}  // namespace q
