#include "core/World.h"

#include <array>
#include <initializer_list>

#include "core/Game.h"

namespace q {

namespace {

constexpr Long UnitsPerDay = 100;  // a cart ride's time is in clock units

struct Named {
    std::string_view key;
    std::string_view name;
};

constexpr std::array<Named, 12> AreaNames{{
    {"Hanoda", "ハノダ"},
    {"Rein", "レインウッド"},
    {"Shinen", "深淵窟"},
    {"Elwind", "エルウインド"},
    {"Tou", "ネクザスの塔"},
    {"Amulet", "アミュレット城"},
    {"HanoMori", "ハノダ－レインウッド"},
    {"HanoSiro", "ハノダ－アミュレット城"},
    {"MoriElf", "レインウッド－エルウインド"},
    {"ElfAna", "エルウインド－深淵窟"},
    {"SiroTou", "アミュレット城－ネクザスの塔"},
    {"ElfMugen", "無限回廊"},
}};

constexpr std::array<Named, 14> PlaceSuffixes{{
    {"Board", "－掲示板前"},
    {"Shop", "－夢追い堂"},
    {"Hotel", "－宿屋"},
    {"Item", "－道具屋"},
    {"Cart", "－馬車屋"},
    {"Carpenter", "－大工屋"},
    {"Fortune", "－占いの館"},
    {"Mania", "－マニアの家"},
    {"Bank", "－銀行"},
    {"House", "－不動産屋"},
    {"Smith", "－鍛冶屋"},
    {"Park", "－広場"},
    {"Siro", "－城内"},
    {"Umi", "－潤沢湖"},
}};

constexpr std::array<Named, 6> TownNames{{
    {"Hanoda", "ハノダ"},
    {"Rein", "レインウッド"},
    {"Elwind", "エルウインド"},
    {"Shinen", "深淵窟"},
    {"Amulet", "アミュレット城"},
    {"Tou", "ネクザスの塔"},
}};

template <size_t N>
const std::string_view* Lookup(const std::array<Named, N>& table, std::string_view key) {
    for (const Named& n : table)
        if (n.key == key) return &n.name;
    return nullptr;
}

struct Road {
    std::string_view key;
    Long fare;
    Long time;
};

constexpr std::array<Road, 6> Roads{{
    {"HanoMori", 2000, 100},
    {"MoriElf", 2000, 50},
    {"ElfAna", 6000, 100},
    {"HanoSiro", 8000, 100},
    {"SiroTou", 8000, 50},
    {"ElfMugen", 20000, 100},
}};

// The cart office's routes: the roads from one town to another, in order.
struct Route {
    std::string_view from;
    std::string_view to;
    std::array<std::string_view, 4> roads;
};

constexpr std::array<Route, 15> Routes{{
    {"Hanoda", "Rein", {"HanoMori"}},
    {"Hanoda", "Elwind", {"HanoMori", "MoriElf"}},
    {"Hanoda", "Shinen", {"HanoMori", "MoriElf", "ElfAna"}},
    {"Hanoda", "Amulet", {"HanoSiro"}},
    {"Hanoda", "Tou", {"HanoSiro", "SiroTou"}},
    {"Elwind", "Hanoda", {"MoriElf", "HanoMori"}},
    {"Elwind", "Rein", {"MoriElf"}},
    {"Elwind", "Shinen", {"ElfAna"}},
    {"Elwind", "Amulet", {"MoriElf", "HanoMori", "HanoSiro"}},
    {"Elwind", "Tou", {"MoriElf", "HanoMori", "HanoSiro", "SiroTou"}},
    {"Amulet", "Hanoda", {"HanoSiro"}},
    {"Amulet", "Rein", {"HanoSiro", "HanoMori"}},
    {"Amulet", "Elwind", {"HanoSiro", "HanoMori", "MoriElf"}},
    {"Amulet", "Shinen", {"HanoSiro", "HanoMori", "MoriElf", "ElfAna"}},
    {"Amulet", "Tou", {"SiroTou"}},
}};

// A bound by the story stage: the first row whose stage is at or above it.
struct StageBound {
    Long upToStage;
    Long bound;
};

template <size_t N>
bool BoundByStage(const std::array<StageBound, N>& table, Long stage, Long& out) {
    for (const StageBound& s : table) {
        if (stage <= s.upToStage) {
            out = s.bound;
            return true;
        }
    }
    return false;
}

constexpr std::array<StageBound, 8> DealArmBounds{{
    {2, 53}, {4, 90}, {5, 149}, {6, 200}, {9, 255}, {10, 289}, {11, 332}, {13, 458},
}};

constexpr std::array<StageBound, 8> MonsterBounds{{
    {2, 13}, {4, 20}, {5, 34}, {6, 41}, {9, 55}, {10, 62}, {11, 69}, {12, 88},
}};

void SetBounds(Long& min, Long& max, Long lo, Long hi) {
    min = lo;
    max = hi;
}

bool InDungeon(const Game& g) { return g.FieldName == "Shinen" || g.FieldName == "Tou"; }
bool OnFirstRoads(const Game& g) { return g.FieldName == "HanoMori" || g.FieldName == "MoriElf"; }

// One of several items, each as likely.
Long OneOf(Game& g, std::initializer_list<Long> items) {
    return items.begin()[g.Chance(Long(items.size()))];
}

// A leaf of the area's trees.
Long Leaf(const Game& g) {
    const std::string& f = g.FieldName;
    if (f == "HanoMori") return 15;
    if (f == "MoriElf") return 16;
    if (f == "ElfAna") return 17;
    if (f == "Shinen") return g.NowFloor > 50 ? 22 : 18;
    if (f == "HanoSiro") return 19;
    if (f == "SiroTou") return 20;
    return 21;
}

// The odd finds: d 0, 4 and 9 find nothing.
Long OddFind(Game& g) {
    const long d = g.Chance(10);
    if (d == 0 || d == 4 || d == 9) return NoItemFound;
    switch (g.Chance(7)) {
        case 0: return OnFirstRoads(g) ? 1 : 2;
        case 1: return 10;
        case 2: return 13;
        case 3: return OnFirstRoads(g) ? 24 : 25;
        case 4: return 35;
        case 5: return InDungeon(g) ? 36 : 34;
        default: return InDungeon(g) ? 39 : 34;
    }
}

// The common finds, richer as the story goes on.
Long CommonFind(Game& g) {
    if (g.Chance(10) == 0) return NoItemFound;
    const long f = g.Chance(45);
    const Long w = g.Warasibe;
    switch (f) {
        case 0:
        case 26:
            if (w <= 3) return 0;
            return w <= 7 ? OneOf(g, {0, 1}) : OneOf(g, {0, 1, 2});
        case 1:
        case 2:
        case 3:
        case 4: return Long(f) + 2;
        case 5:
        case 6: return w <= 3 ? OneOf(g, {9, 11}) : OneOf(g, {9, 10, 11});
        case 7:
        case 8: return w <= 3 ? OneOf(g, {12, 14}) : OneOf(g, {12, 13, 14});
        case 9:
            if (w <= 3) return 23;
            return w <= 7 ? OneOf(g, {23, 24}) : OneOf(g, {23, 24, 25});
        case 10: return InDungeon(g) ? NoItemFound : 29;
        case 11: return InDungeon(g) ? NoItemFound : 30;
        case 12:
        case 13:
        case 14:
        case 15: return Long(f) + 19;
        case 16: return OneOf(g, {37, 38});
        case 17: return 40;
        default: {
            const std::string& a = g.FieldName;
            if (a == "HanoSiro" || a == "MoriElf" || a == "SiroTou") return 26;
            if (a == "Shinen") return 27;
            return NoItemFound;
        }
    }
}

}  // namespace

std::string PlaceName(Game& g) {
    std::string name;
    if (const auto* area = Lookup(AreaNames, g.FieldName)) name = *area;
    if (const auto* suffix = Lookup(PlaceSuffixes, g.EventField)) {
        name += *suffix;
    } else if (g.EventField == "In") {
        name += g.FieldName == "Shinen" ? "－地下" : "－";
        name += std::to_string(g.NowFloor) + "階";
    } else if (g.SavedEventField == "Umi") {
        name += "－潤沢湖";
    }
    return name;
}

Integer CustomerComes(Game& g, Long Fame) {
    if (Fame < 4000) {
        if (g.Chance(4) != 0) return NoCustomer;
    } else if (Fame < 9000) {
        if (g.Chance(3) != 0) return NoCustomer;
    }
    const long r = g.Chance(10000);
    return r + Fame / 4 > 9500 ? CustomerComing : NoCustomer;
}

void SetMonsterRange(Game& g) {
    const std::string& f = g.FieldName;
    Long& lo = g.AreaEnemyMin;
    Long& hi = g.AreaEnemyMax;
    if (f == "HanoMori") SetBounds(lo, hi, 0, 13);
    else if (f == "MoriElf") SetBounds(lo, hi, 14, 20);
    else if (f == "ElfAna") SetBounds(lo, hi, 21, 34);
    else if (f == "Shinen") g.Warasibe <= 11 ? SetBounds(lo, hi, 35, 41) : SetBounds(lo, hi, 70, 88);
    else if (f == "HanoSiro") SetBounds(lo, hi, 42, 55);
    else if (f == "SiroTou") SetBounds(lo, hi, 56, 62);
    else if (f == "Tou") SetBounds(lo, hi, 63, 69);
    else if (f == "ElfMugen") SetBounds(lo, hi, 89, 99);
}

void SetRange(Game& g, Long Kind) {
    const std::string& f = g.FieldName;
    Long& lo = g.RangeMin;
    Long& hi = g.RangeMax;
    switch (Kind) {
        case 0: BoundByStage(DealArmBounds, g.Warasibe, g.DealArm); break;
        case 1:
            if (f == "HanoMori") SetBounds(lo, hi, 0, 53);
            else if (f == "MoriElf") SetBounds(lo, hi, 54, 90);
            else if (f == "ElfAna") SetBounds(lo, hi, 91, 149);
            else if (f == "Shinen") g.NowFloor > 50 ? SetBounds(lo, hi, 333, 408) : SetBounds(lo, hi, 150, 200);
            else if (f == "HanoSiro") SetBounds(lo, hi, 201, 255);
            else if (f == "SiroTou") SetBounds(lo, hi, 256, 289);
            else if (f == "Tou") SetBounds(lo, hi, 290, 332);
            else if (f == "ElfMugen") SetBounds(lo, hi, 0, 408);
            break;
        case 2:
            if (f == "Hanoda") SetBounds(lo, hi, 0, 20);
            else if (f == "Elwind") SetBounds(lo, hi, 21, 55);
            else SetBounds(lo, hi, 56, g.GameCleared ? 97 : 69);
            break;
        default:
            lo = 0;
            if (g.GameCleared) hi = 99;
            else BoundByStage(MonsterBounds, g.Warasibe, hi);
            break;
    }
}

void AddRoadFare(Game& g, std::string_view RoadKey) {
    for (const Road& r : Roads) {
        if (r.key != RoadKey) continue;
        g.AssistFee += r.fare;
        g.TravelTime += r.time;
        return;
    }
}

void CartFare(Game& g, std::string_view FromKey, std::string_view ToKey, bool FromTown) {
    g.AssistFee = 0;
    g.TravelTime = 0;
    g.TravelTimeText.clear();
    if (!FromTown) {
        // From the heroine's place on the road to the end the cart goes to,
        // at the road's fare per position rounded up.
        AddRoadFare(g, FromKey);
        const Long perPos = g.RoadLength > 0 ? (g.AssistFee + g.RoadLength - 1) / g.RoadLength : 0;
        const Long positions = g.CartGoesLeft ? g.RoadPos : g.RoadLength - g.RoadPos;
        g.AssistFee = perPos * positions;
        g.TravelTime = positions / 2;
        return;
    }
    for (const Route& r : Routes) {
        if (r.from != FromKey || r.to != ToKey) continue;
        for (std::string_view road : r.roads)
            if (!road.empty()) AddRoadFare(g, road);
        break;
    }
    const Long days = g.TravelTime / UnitsPerDay;
    g.WorkNum2 = days;
    if (days >= 1) g.TravelTimeText = std::to_string(days) + "日";
    const Long rest = g.TravelTime % UnitsPerDay;
    g.WorkNum2 = rest;
    if (rest > 0) g.TravelTimeText = g.TravelTimeText.empty() ? "半日" : g.TravelTimeText + "半";
}

void TownName(Game& g, std::string_view Key) {
    if (const auto* name = Lookup(TownNames, Key)) g.FareTown = *name;
}

Long FieldFind(Game& g) {
    const long r = g.Chance(16);
    switch (r) {
        case 0: return g.Chance(7) == 0 ? Leaf(g) : NoItemFound;
        case 1:
        case 3:
        case 7: return OddFind(g);
        case 2:
        case 4:
        case 6:
        case 8:
        case 10:
        case 12:
        case 14: return CommonFind(g);
        default: return NoItemFound;
    }
}

Long CollectedArmsCount(Game& g, bool CountAll) {
    Long listed = 0;
    for (const auto& arm : g.AllArms) {
        if (arm.LArmsList) listed += 1;
        else if (!CountAll) return 0;
    }
    return listed;
}

std::string ElapsedTimeText(Game& g) {
    const Long months = (g.NowYear * 12 + g.NowMonth) - (3050 * 12 + 4);
    g.ElapsedYears = months / 12;
    return std::to_string(g.ElapsedYears) + "年" + std::to_string(months % 12) + "ヵ月";
}

}  // namespace q
