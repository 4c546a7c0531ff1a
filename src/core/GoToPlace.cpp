#include "core/GoToPlace.h"

#include "core/Game.h"
#include "core/frmUnderMes.h"

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

}  // namespace q
