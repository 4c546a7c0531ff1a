#include "core/GoToPlace.h"

#include "core/Game.h"
#include "core/frmUnderMes.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

// The board's load switches again while it is itself loading: the form being
// loaded must not be unloaded under it.
bool KeepsStage(const Game& g) {
    const Long code = g.ResumeCode[0];
    if (code == ResumeDungeonSwitch) return true;
    return g.SceneFormName == "frmEvent" && (code == ResumeFainted || code == ResumeCorridorSwitch);
}

}  // namespace

void GoToPlace(Game& g, const std::string& Place, const std::string& LeftTownName, const std::string& RightTownName,
               const std::string& Area) {
    auto& bar = g.frmUnderMes.get();
    if (g.EffectResult != EffectToEntrance) bar.LBLMessage[0].Caption = "";
    bar.LBLMessage[1].Caption = "";
    if (!KeepsStage(g) && g.StageForm) g.StageForm->Unload();
    g.EventBusy = false;
    // The story of the place left ends here: a question it asked is wiped
    // from the bar above, and no answer to it stays waiting or given.
    g.WaitingAnswer = false;
    g.AnswerKey = AnswerNone;
    if (Place == "In" || Place.empty()) {
        g.LeftTown = LeftTownName;
        g.RightTown = RightTownName;
        g.FieldName = Area;
        g.Call("frmField.Show");
        return;
    }
    g.EventField = Place;
    if (Place == "Shop") {
        g.Call("frmShop.Show");
        return;
    }
    if (Place != "Board") g.EventBusy = true;
    g.Call("frmEvent.Show");
}

namespace {

constexpr Long GemBlue = 188;
constexpr Long GemRed = 189;
constexpr Long GemYellow = 190;
constexpr Long Swordsman = 30;

// Blue from 70 % of the maximum, yellow from 30 %, red below.
Long Gem(Long current, Long maximum) {
    if (double(current) >= double(maximum) * 0.7) return GemBlue;
    if (double(current) >= double(maximum) * 0.3) return GemYellow;
    return GemRed;
}

}  // namespace

void DrawGauges(Game& g) {
    if (g.NewGame || !g.StageForm) return;
    Form& stage = *g.StageForm;
    const Long y = g.SpriteTop - RGN_PixelToTwipY(g, GaugeRowPixels);
    RGN_Draw(g, Gem(g.MyNowHp, g.MyMaxHp), stage, 5, y);
    RGN_Draw(g, Gem(g.MyNowBody, g.MyMaxBody), stage, 155, y);
    RGN_Draw(g, Gem(g.MyNowWater, g.MyMaxWater), stage, 305, y);
    if (g.SceneFormName == "frmField" && g.OnceStop) RGN_Draw(g, PauseMark, stage, 455, y);
    else if (g.AutoNext) RGN_Draw(g, AutoMark, stage, 455, y);
    if (g.HelperPresent) RGN_Draw(g, Swordsman, stage, g.HeroX + 400, g.SpriteTop);
}

}  // namespace q
