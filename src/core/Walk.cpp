#include "core/Walk.h"

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/Stats.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long ShopArrivalX = 300;    // a customer has reached the counter
constexpr Long LeaverGoneX = -512;    // a leaving customer is off the stage
constexpr Long SceneryX = 900;
constexpr size_t HealingPerfume = 17;  // the valuable that heals a point a step

// A walking figure: its base picture, its x and its phase.
struct Walker {
    Long& sprite;
    Long& x;
    Long& step;
};

// One phase of a figure: draws it, and moves it by d on phases 1 and 3.
// Returns true when it moved.
bool PhaseStep(Game& g, Walker w, double d, Long* roadPos = nullptr, Long roadDelta = 0) {
    Form& stage = *g.StageForm;
    switch (w.step) {
        case 1:
        case 3:
            w.x = RoundHalfEven(double(w.x) + d);
            if (roadPos) *roadPos += roadDelta;
            RGN_Draw(g, w.sprite, stage, w.x, g.SpriteTop);
            w.step = w.step + 1;
            return true;
        case 2:
            RGN_Draw(g, w.sprite + 1, stage, w.x, g.SpriteTop);
            w.step = 3;
            return false;
        default:
            RGN_Draw(g, w.sprite + 2, stage, w.x, g.SpriteTop);
            w.step = 1;
            return false;
    }
}

bool SteppingInPlace(const Game& g) {
    if (g.StoryName != "NextFloor" && (g.LeftTown == "Tou" || g.LeftTown == "Shinen" || g.Stepping)) return true;
    return g.FieldName == "ElfMugen" && g.RoadPos >= g.RoadLength && !g.LeftMode;
}

void WalkHeroineFrame(Game& g) {
    Form& stage = *g.StageForm;
    if (g.VisitorSprite != NoSprite) RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
    const bool moves = g.HeroStep == 1 || g.HeroStep == 3;
    if (moves && g.AllKey[HealingPerfume].LKeyList) AddStat(g, 1, "Hp", true);
    if (moves && !SteppingInPlace(g)) {
        g.HeroX = RoundHalfEven(double(g.HeroWalkX) + g.StepWidth + g.ExtraStep);
        g.HeroWalkX = g.HeroX;
        g.RoadPos += g.WalkDir + g.ExtraDir;
        RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
        g.HeroStep = g.HeroStep + 1;
        return;
    }
    Long still = g.HeroX;
    Walker hero{g.HeroSprite, still, g.HeroStep};
    PhaseStep(g, hero, 0);
    g.HeroX = still;
}

}  // namespace

void WalkStep(Game& g, bool WalkLeft, Long Mode) {
    if (!g.StageForm) return;
    Form& stage = *g.StageForm;
    g.ExtraDir = 0;
    g.ExtraStep = 0;
    if (WalkLeft) {
        if (g.StepWidth > 0) g.StepWidth = -g.StepWidth;
        g.WalkDir = -1;
    } else {
        if (g.StepWidth < 0) g.StepWidth = -g.StepWidth;
        g.WalkDir = 1;
    }
    DrawGauges(g);
    if (g.SceneFormName == "frmField") {
        RGN_Draw(g, g.PlaceSprite, stage, g.PlaceX, g.SpriteTop);
        RGN_Draw(g, g.PlaceSprite2, stage, g.PlaceX2, g.SpriteTop);
        if (g.EventField != "In" && g.Condition[CondFastWalk] >= 1) {
            g.ExtraStep = g.StepWidth;
            g.ExtraDir = g.WalkDir;
        }
    } else if (g.EventField != "Cart") {
        RGN_Draw(g, g.PlaceSprite, stage, SceneryX, g.SpriteTop);
    }
    Walker visitor{g.VisitorSprite, g.VisitorX, g.VisitorStep};
    Walker leaver{g.LeaverSprite, g.LeaverX, g.LeaverStep};
    switch (Mode) {
        case WalkHeroine: WalkHeroineFrame(g); break;
        case WalkCustomers:
            RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
            if (g.LeaverSprite != NoSprite) {
                PhaseStep(g, leaver, -2 * g.StepWidth);
                if (g.LeaverX <= LeaverGoneX) g.LeaverSprite = NoSprite;
            }
            PhaseStep(g, visitor, g.StepWidth);
            if (g.VisitorX >= ShopArrivalX && !g.NewGame) {
                RGN_Draw(g, g.VisitorSprite, stage, g.VisitorX, g.SpriteTop);
                g.ShopPhase = ShopArrived;
            }
            break;
        case WalkLeaver:
            RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
            PhaseStep(g, leaver, 2 * g.StepWidth);
            if (g.LeaverX <= LeaverGoneX) g.LeaverSprite = NoSprite;
            break;
        case WalkVisitor:
            RGN_Draw(g, g.HeroSprite, stage, g.HeroX, g.SpriteTop);
            PhaseStep(g, visitor, g.StepWidth);
            break;
        case WalkCarriage: PhaseStep(g, visitor, g.StepWidth, &g.RoadPos, g.WalkDir); break;
        default: return;  // nothing after the scenery, and no frame applied
    }
    RGN_Apply(g, stage);
}

}  // namespace q
