#include "town/TownSpeech.h"

#include <array>
#include <string_view>

#include "core/Game.h"
#include "town/DevRoom.h"
#include "town/TalkScript.h"

namespace q {

namespace {

struct PlaceTalk {
    std::string_view place;
    void (*speech)(Game&);
};

constexpr std::array<PlaceTalk, 10> Places{{
    {"Park", ParkSpeech},
    {"Siro", CastleSpeech},
    {"Umi", LakeSpeech},
    {"Smith", SmithSpeech},
    {"Carpenter", CarpenterSpeech},
    {"Fortune", FortuneSpeech},
    {"Bank", BankSpeech},
    {"Item", ItemSpeech},
    {"House", HouseSpeech},
    {"Mania", ManiaSpeech},
}};

}  // namespace

void TownSpeech(Game& g) {
    for (const PlaceTalk& p : Places) {
        if (p.place != g.EventField) continue;
        p.speech(g);
        return;
    }
    // A place nobody talks at: the line on the bar stays.
    ShowTalkLine(g);
}

void FindSackJewel(Game& g, bool OnlyHanded) {
    g.GyokuReward[2] = NoRecipeMaterial;
    for (Long i = 0; i < g.HaveSack; ++i) {
        const SackEntry& e = g.MySack[size_t(i)];
        if (!e.HHaveGyoku) continue;
        if (OnlyHanded && !g.AllGyoku[size_t(e.HHaveSackNo)].LGyokuList) continue;
        g.GyokuReward[2] = i;
        return;
    }
}

void RegisterTownTalk(Game& g) {
    g.SetHandler("TownSpeech", [&g](Long) { TownSpeech(g); });
    RegisterDevRoom(g);
    Procs& p = g.procs;
    p.add("TownSpeech", [](Game& g, const Procs::Args&) {
        TownSpeech(g);
        return std::string();
    });
    p.add("FindSackJewel", [](Game& g, const Procs::Args& a) {
        FindSackJewel(g, Procs::Truth(a, 0));
        return std::string();
    });
}

}  // namespace q
