#include "field/ItemEffects.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Clock.h"
#include "core/Game.h"
#include "core/Inventory.h"
#include "core/Stats.h"
#include "stage/mod_RGN_UserFunction.h"

namespace q {

namespace {

constexpr Long TopLevel = 99;

// Kinds that raise one number of the heroine by the item's amount.
struct RaiseRow {
    Long kind;
    const char* label;
    const char* key;
    Long ItemRecord::*amount;
};
constexpr std::array<RaiseRow, 6> Raises{{
    {3, "最大体力", "Hp", &ItemRecord::Hp},
    {4, "攻撃力", "At", &ItemRecord::At},
    {5, "防御力", "Di", &ItemRecord::Di},
    {6, "素早さ", "Sp", &ItemRecord::Sp},
    {7, "最大満腹値", "Body", &ItemRecord::Body},
    {8, "最大水分値", "Water", &ItemRecord::Water},
}};

// Kinds that end one ailment.
struct CureRow {
    Long kind;
    int condition;
    const char* line;
};
constexpr std::array<CureRow, 4> Cures{{
    {10, CondPoison, "毒状態が回復しました"},
    {11, CondParalysis, "麻痺状態が回復しました"},
    {12, CondBlindness, "盲目状態が回復しました"},
    {13, CondCurse, "呪い状態が回復しました"},
}};

// Kinds that start (or lengthen) a timed effect by a roll of turns.
struct TimedRow {
    Long kind;
    int condition;
    Long lo, hi;
    const char* line;
};
constexpr std::array<TimedRow, 5> Timed{{
    {16, CondFastWalk, 10, 20, "しばらくの間、速く歩けます"},
    {17, CondNoEncounter, 10, 20, "しばらくの間、敵が出ません"},
    {18, CondNoHunger, 10, 20, "しばらくの間、お腹が空きません"},
    {19, CondNoThirst, 10, 20, "しばらくの間、喉が渇きません"},
    {28, CondLantern, 30, 60, "しばらくの間、夜の敵が強くなりません"},
}};

// Kinds whose work is done by the caller, told by the result.
struct SignalRow {
    Long kind;
    Long result;
    const char* line;
};
constexpr std::array<SignalRow, 3> Signals{{
    {15, EffectCart, "馬車を呼びました"},
    {20, EffectEscape, "敵から逃げ出しました"},
    {27, EffectToEntrance, "入口に戻りました"},
}};

// Kinds that move the clock on.
struct ClockRow {
    Long kind;
    Long units;
    const char* line;
};
constexpr std::array<ClockRow, 2> Clocks{{
    {23, 50, "時間を半日進めました"},
    {24, 100, "時間を一日進めました"},
}};

constexpr std::array<Long, 3> SpecialItems{ItemBranchOfLife, ItemTrapEscape, ItemChestKey};

template <class Rows>
auto FindKind(const Rows& rows, Long kind) -> decltype(&rows[0]) {
    for (const auto& r : rows)
        if (r.kind == kind) return &r;
    return nullptr;
}

// A whole number lo..hi, each equally likely.
Long Roll(Game& g, Long lo, Long hi) { return lo + Long(g.Chance(long(hi) - lo + 1)); }

// Pct percent of her maximum HP, the whole part (-10 % of 35 is -4).
Long PercentOfMaxHp(const Game& g, Long pct) {
    return Long(std::floor(double(std::int64_t(pct) * g.MyMaxHp) / 100.0));
}

void Append(Game& g, std::string_view text) { g.EffectMessage += text; }

void Refuse(Game& g, const ItemRecord& item) {
    g.EffectMessage = item.Name + "は、これ以上使えません";
    g.EffectResult = EffectNotUsed;
}

bool HasAilment(const Game& g) {
    for (int i = CondPoison; i <= CondCurse; ++i)
        if (g.Condition[size_t(i)] >= 1) return true;
    return false;
}

void ClearAilments(Game& g) {
    for (int i = CondPoison; i <= CondCurse; ++i) g.Condition[size_t(i)] = 0;
}

// Fullness for food, water for drink: a roll around the item's amount,
// filling the value to the top when it would reach it.
void RestoreMain(Game& g, Long centre, Long& now, Long most, std::string_view key, const std::string& label) {
    const Long n = Roll(g, centre - 5, centre + 5);
    if (now + n < most) {
        AddStat(g, n, key, true);
        Append(g, label + "を" + std::to_string(n) + "回復しました");
    } else {
        now = most;
        Append(g, label + "が満タンになりました");
    }
}

void Heal(Game& g, const ItemRecord& item) {
    if (g.MyNowHp >= g.MyMaxHp) return Refuse(g, item);
    const Long t = Long(std::floor(item.Hp * 0.1));
    const Long n = Roll(g, item.Hp - t, item.Hp + t);
    if (g.MyNowHp + n < g.MyMaxHp) {
        AddStat(g, n, "Hp", true);
        Append(g, "体力を" + std::to_string(n) + "回復しました");
    } else {
        g.MyNowHp = g.MyMaxHp;
        Append(g, "体力が満タンになりました");
    }
}

// Food fills the stomach; its HP part may hurt (never below 1) and it always
// costs some water.
void Food(Game& g, const ItemRecord& item) {
    if (g.MyNowBody >= g.MyMaxBody) return Refuse(g, item);
    RestoreMain(g, item.Body, g.MyNowBody, g.MyMaxBody, "Body", "満腹値");
    if (item.Hp != 0) {
        const Long n = PercentOfMaxHp(g, item.Hp);
        if (g.MyNowHp + n > 0) AddStat(g, n, "Hp", true);
        else g.MyNowHp = 1;
    }
    if (item.Water != 0) {
        Long n = Roll(g, item.Water - 5, item.Water + 5);
        if (n >= 0) n = -1;
        if (g.MyNowWater + n > 0) AddStat(g, n, "Water", true);
        else g.MyNowWater = 0;
    }
}

// Drink fills the water; its HP and fullness parts are taken as they come.
void Drink(Game& g, const ItemRecord& item) {
    if (g.MyNowWater >= g.MyMaxWater) return Refuse(g, item);
    RestoreMain(g, item.Water, g.MyNowWater, g.MyMaxWater, "Water", "水分値");
    if (item.Hp != 0) {
        const Long n = PercentOfMaxHp(g, item.Hp);
        if (g.MyNowHp + n <= 0) g.MyNowHp = 1;
        else if (g.MyNowHp + n >= g.MyMaxHp) g.MyNowHp = g.MyMaxHp;
        else AddStat(g, n, "Hp", true);
    }
    if (item.Body != 0) {
        const Long n = Roll(g, item.Body - 5, item.Body + 5);
        if (g.MyNowBody + n > 0) AddStat(g, n, "Body", true);
        else g.MyNowBody = 0;
    }
}

void RaiseOne(Game& g, const ItemRecord& item, const RaiseRow& r) {
    AddStat(g, item.*r.amount, r.key, false);
    if (g.StatDelta != 0) Append(g, std::string(r.label) + "が" + std::to_string(g.StatDelta) + "アップしました");
    else Append(g, std::string(r.label) + "は、これ以上あげられません");
}

void RaiseAll(Game& g, const ItemRecord& item) {
    for (const RaiseRow& r : Raises) AddStat(g, item.*r.amount, r.key, false);
    Append(g, "各パラメータがアップしました");
}

// An attack item: its amount give or take a tenth. The enemy's HP may go
// below 0; the battle's item turn judges it.
void Attack(Game& g, const ItemRecord& item) {
    const Long lo = RoundHalfEven(item.Hp - item.Hp * 0.1);
    const Long hi = RoundHalfEven(item.Hp + item.Hp * 0.1);
    const Long d = Roll(g, lo, hi);
    Append(g, g.EnemyName + "に" + std::to_string(d) + "のダメージを与えた");
    g.EnemyHp -= d;
}

void Book(Game& g, const ItemRecord& item) {
    if (g.MyLevel >= TopLevel) return Refuse(g, item);
    Append(g, "＋＋＋　レベルアップ！　＋＋＋");
    g.EffectResult = EffectLevelUp;
}

// The miracle fruit restores everything; timed effects do not count as
// something to restore.
void Fruit(Game& g, const ItemRecord& item) {
    const bool full = g.MyNowHp >= g.MyMaxHp && g.MyNowBody >= g.MyMaxBody && g.MyNowWater >= g.MyMaxWater;
    if (full && !HasAilment(g)) return Refuse(g, item);
    g.MyNowWater = g.MyMaxWater;
    g.MyNowHp = g.MyMaxHp;
    g.MyNowBody = g.MyMaxBody;
    ClearAilments(g);
    Append(g, "全身に力がみなぎった");
}

// The kinds that are not a row of one of the tables.
bool ApplyOwnKind(Game& g, const ItemRecord& item) {
    switch (item.Kind) {
        case 0: Heal(g, item); return true;
        case 1: Food(g, item); return true;
        case 2: Drink(g, item); return true;
        case 9: Attack(g, item); return true;
        case 14:
            ClearAilments(g);
            Append(g, "全異常が回復しました");
            return true;
        case 21: RaiseAll(g, item); return true;
        case 25: Book(g, item); return true;
        case 29: Fruit(g, item); return true;
        default: return false;
    }
}

void ApplyTableKind(Game& g, const ItemRecord& item) {
    const Long kind = item.Kind;
    if (const RaiseRow* r = FindKind(Raises, kind)) return RaiseOne(g, item, *r);
    if (const CureRow* c = FindKind(Cures, kind)) {
        g.Condition[size_t(c->condition)] = 0;
        return Append(g, c->line);
    }
    if (const TimedRow* t = FindKind(Timed, kind)) {
        g.Condition[size_t(t->condition)] += Roll(g, t->lo, t->hi);
        return Append(g, t->line);
    }
    if (const SignalRow* s = FindKind(Signals, kind)) {
        g.EffectResult = s->result;
        return Append(g, s->line);
    }
    if (const ClockRow* c = FindKind(Clocks, kind)) {
        PassTime(g, c->units);
        return Append(g, c->line);
    }
    // Passive items and materials do nothing; the sack never offers them.
}

}  // namespace

void ApplyItemEffect(Game& g, Long ItemId) {
    g.EffectResult = EffectUsed;
    if (ItemId < 0 || ItemId >= ItemCount) {
        // No such item: nothing is used.
        g.EffectMessage.clear();
        g.EffectResult = EffectNotUsed;
        return;
    }
    const ItemRecord& item = g.AllItem[size_t(ItemId)];
    g.EffectMessage = item.Name + "を使いました。";
    if (!ApplyOwnKind(g, item)) ApplyTableKind(g, item);
}

bool HasSpecialItem(Game& g, Long SpecialItem) {
    if (SpecialItem < 0 || SpecialItem >= Long(SpecialItems.size())) return false;
    return SackCheck(g, SpecialItems[size_t(SpecialItem)], 1, false, false);
}

void RegisterItemEffects(Game& g) {
    g.SetHandler("ApplyItemEffect", [&g](Long item) { ApplyItemEffect(g, item); });
    Procs& p = g.procs;
    p.add("ApplyItemEffect", [](Game& g, const Procs::Args& a) {
        ApplyItemEffect(g, Long(Procs::Number(a, 0)));
        return std::string();
    });
    p.add("HasSpecialItem", [](Game& g, const Procs::Args& a) {
        return std::string(HasSpecialItem(g, Long(Procs::Number(a, 0))) ? "True" : "False");
    });
}

}  // namespace q
