#include "field/RegisterField.h"

#include <array>
#include <string>

#include "core/Game.h"
#include "field/BossSpeech.h"
#include "field/ManSpeech.h"
#include "field/frmField.h"
#include "field/frmUnderMes3.h"

namespace q {

namespace {

using FieldMethod = void (frmField::*)();

struct FieldEntry {
    const char* name;
    FieldMethod method;
};

constexpr std::array<FieldEntry, 11> FieldEntries{{
    {"frmField.AssistSelect", &frmField::AssistSelect},
    {"frmField.AssistTurn", &frmField::AssistTurn},
    {"frmField.ItemSelect", &frmField::ItemSelect},
    {"frmField.ItemTurn", &frmField::ItemTurn},
    {"frmField.NextFloorSelect", &frmField::NextFloorSelect},
    {"frmField.NextFloorTurn", &frmField::NextFloorTurn},
    {"frmField.BossSelect", &frmField::BossSelect},
    {"frmField.BossTurn", &frmField::BossTurn},
    {"frmField.ManSelect", &frmField::ManSelect},
    {"frmField.ManTurn", &frmField::ManTurn},
    {"frmField.EndingTurn", &frmField::EndingTurn},
}};

std::string Done() { return std::string(); }

}  // namespace

void RegisterField(Game& g) {
    Procs& p = g.procs;
    for (const auto& e : FieldEntries) {
        const FieldMethod m = e.method;
        g.SetHandler(e.name, [&g, m](Long) { (g.frmField.get().*m)(); });
        p.add(e.name, [m](Game& game, const Procs::Args&) {
            (game.frmField.get().*m)();
            return Done();
        });
    }
    g.SetHandler("frmUnderMes3.GameMessage", [&g](Long number) { g.frmUnderMes3->GameMessage(number); });
    p.add("frmUnderMes3.GameMessage", [](Game& game, const Procs::Args& a) {
        game.frmUnderMes3->GameMessage(Long(Procs::Number(a, 0)));
        return Done();
    });
    p.add("BossSpeech", [](Game& game, const Procs::Args&) {
        BossSpeech(game);
        return Done();
    });
    p.add("ManSpeechText", [](Game& game, const Procs::Args&) {
        ManSpeechText(game);
        return Done();
    });
}

}  // namespace q
