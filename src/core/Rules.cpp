#include "core/Rules.h"

#include <string>

#include "core/Clock.h"
#include "core/Game.h"
#include "core/Growth.h"
#include "core/InitGame.h"
#include "core/Inventory.h"
#include "core/Stats.h"
#include "core/World.h"

namespace q {

namespace {

using Args = Procs::Args;

std::string Truth(bool b) { return b ? "True" : "False"; }
std::string None() { return std::string(); }

Long Num(const Args& a, size_t i) { return Long(Procs::Number(a, i)); }
bool Flag(const Args& a, size_t i) { return Procs::Truth(a, i); }
std::string Text(const Args& a, size_t i) { return i < a.size() ? a[i] : std::string(); }

// An amount that may be fractional.
double Amount(const Args& a, size_t i) {
    if (i >= a.size()) throw VarError("missing argument " + std::to_string(i + 1));
    const Value v = ParseValue(a[i]);
    if (auto* n = std::get_if<long long>(&v)) return double(*n);
    if (auto* d = std::get_if<double>(&v)) return *d;
    throw VarError("argument " + std::to_string(i + 1) + " is not a number: " + a[i]);
}

}  // namespace

void RegisterRules(Game& g) {
    g.SetHandler("GameOverStory", [&g](Long) { GameOverStory(g); });
    g.SetHandler("ShopIncident", [&g](Long kind) { ShopIncident(g, kind); });

    Procs& p = g.procs;

    // Inventories
    p.add("SackCheck", [](Game& g, const Args& a) {
        return Truth(SackCheck(g, Num(a, 0), Num(a, 1), Flag(a, 2), Flag(a, 3)));
    });
    p.add("SackChange", [](Game& g, const Args& a) { return Truth(SackChange(g, Num(a, 0), Num(a, 1), Flag(a, 2), Num(a, 3), Flag(a, 4))); });
    p.add("BagCheck", [](Game& g, const Args& a) { return Truth(BagCheck(g, Num(a, 0), Num(a, 1), Flag(a, 2))); });
    p.add("BagChange", [](Game& g, const Args& a) { return Truth(BagChange(g, Num(a, 0), Num(a, 1), Flag(a, 2), Num(a, 3))); });
    p.add("ShopArmsTake", [](Game& g, const Args& a) { return Truth(ShopArmsTake(g, Num(a, 0), Num(a, 1))); });
    p.add("ShopArmsChange", [](Game& g, const Args& a) { return Truth(ShopArmsChange(g, Num(a, 0), Num(a, 1), Flag(a, 2), Num(a, 3))); });
    p.add("StockArmsChange", [](Game& g, const Args& a) { return Truth(StockArmsChange(g, Num(a, 0), Num(a, 1), Flag(a, 2), Num(a, 3))); });

    // Stats and fainting
    p.add("AddStat", [](Game& g, const Args& a) {
        AddStat(g, Amount(a, 0), Text(a, 1), a.size() > 2 && Flag(a, 2));
        return None();
    });
    p.add("GameOverStory", [](Game& g, const Args&) {
        GameOverStory(g);
        return None();
    });

    // Conditions, experience and levels
    p.add("ClearConditions", [](Game& g, const Args&) {
        ClearConditions(g);
        return None();
    });
    p.add("StatusTurn", [](Game& g, const Args&) { return Truth(StatusTurn(g)); });
    p.add("HungerTurn", [](Game& g, const Args&) { return Truth(HungerTurn(g)); });
    p.add("StrainDamage", [](Game& g, const Args&) { return Truth(StrainDamage(g)); });
    p.add("GainExp", [](Game& g, const Args&) {
        GainExp(g);
        return None();
    });
    p.add("LevelUp", [](Game& g, const Args&) {
        LevelUp(g);
        return None();
    });

    // Clock, calendar and incidents
    p.add("AdvanceTime", [](Game& g, const Args& a) {
        AdvanceTime(g, Num(a, 0), a.size() > 1 && Flag(a, 1));
        return None();
    });
    p.add("PassTime", [](Game& g, const Args& a) {
        PassTime(g, Num(a, 0));
        return None();
    });
    p.add("ShopIncident", [](Game& g, const Args& a) {
        ShopIncident(g, Num(a, 0));
        return None();
    });

    // World rules and lookups
    p.add("PlaceName", [](Game& g, const Args&) { return PlaceName(g); });
    p.add("CustomerComes", [](Game& g, const Args& a) { return std::to_string(CustomerComes(g, Num(a, 0))); });
    p.add("SetMonsterRange", [](Game& g, const Args&) {
        SetMonsterRange(g);
        return None();
    });
    p.add("SetRange", [](Game& g, const Args& a) {
        SetRange(g, Num(a, 0));
        return None();
    });
    p.add("CartFare", [](Game& g, const Args& a) {
        CartFare(g, Text(a, 0), Text(a, 1), Flag(a, 2));
        return None();
    });
    p.add("AddRoadFare", [](Game& g, const Args& a) {
        AddRoadFare(g, Text(a, 0));
        return None();
    });
    p.add("TownName", [](Game& g, const Args& a) {
        TownName(g, Text(a, 0));
        return None();
    });
    p.add("FieldFind", [](Game& g, const Args&) { return std::to_string(FieldFind(g)); });
    p.add("CollectedArmsCount", [](Game& g, const Args& a) { return std::to_string(CollectedArmsCount(g, Flag(a, 0))); });
    p.add("ElapsedTimeText", [](Game& g, const Args&) { return ElapsedTimeText(g); });
}

}  // namespace q
