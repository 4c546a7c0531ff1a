#include "core/Inventory.h"

#include <cstdint>
#include <limits>
#include <type_traits>
#include <string>

#include "core/Game.h"

namespace q {

namespace {

constexpr Long SackMostPerKind = 9;

// The runtime's numbers and texts for the faults the sack routines report.
constexpr Long ErrSubscript = 9;
constexpr const char* ErrSubscriptText = "インデックスが有効範囲にありません。";

void ReportSackFault(Game& g, const char* where, Long number, const char* description) {
    std::string text = ReportIntro;
    text += "\n\n";
    text += where;
    text += std::to_string(number);
    text += " ]";
    text += description;
    g.host.MsgBox(text, vbOKOnly, "Quorvane");
}

// An arms container: its packed entries, the entries in use, the pieces
// total and the capacity in pieces. Over a const game it can only be read.
template <class Entries, class Count>
struct ArmsBox {
    using Entry = typename std::remove_cv_t<Entries>::value_type;
    Entries& entries;
    Count& used;
    Count& total;
    Long capacity;
    Long Entry::*no;
    Long Entry::*num;
};

template <class G>
auto Bag(G& g) {
    using Entries = std::remove_reference_t<decltype((g.MyBag))>;
    using Count = std::remove_reference_t<decltype((g.HaveBag))>;
    return ArmsBox<Entries, Count>{g.MyBag, g.HaveBag, g.HaveBagNum, g.NowMaxBag, &BagEntry::HHaveBagNo,
                                   &BagEntry::HHaveBagNum};
}
auto Display(Game& g) {
    return ArmsBox<decltype(g.MyShopArms), Long>{g.MyShopArms, g.HaveShop, g.HaveShopNum, g.NowMaxShop,
                                                 &ShopArmsEntry::SShopArmsNo, &ShopArmsEntry::SShopArmsNum};
}
auto Warehouse(Game& g) {
    return ArmsBox<decltype(g.MyStockArms), Long>{g.MyStockArms, g.HaveStock, g.HaveStockNum, g.NowMaxStock,
                                                  &StockArmsEntry::SStockArmsNo, &StockArmsEntry::SStockArmsNum};
}

template <class Box>
Long FindArm(const Box& box, Long armsId) {
    const Long used = box.used < Long(box.entries.size()) ? box.used : Long(box.entries.size());
    for (Long i = 0; i < used; ++i)
        if (box.entries[size_t(i)].*box.no == armsId) return i;
    return -1;
}

// Takes up to Num pieces from entry Index; an entry left empty goes and the
// later ones move down. The total falls by what was really taken. False
// when there is no such entry.
template <class Box>
bool RemoveArms(Box& box, Long index, Long num) {
    if (num <= 0 || index < 0 || index >= box.used || index >= Long(box.entries.size())) return false;
    auto& entry = box.entries[size_t(index)];
    const Long held = entry.*box.num;
    if (held > num) {
        entry.*box.num = held - num;
        box.total -= num;
        return true;
    }
    const Long last = (box.used < Long(box.entries.size()) ? box.used : Long(box.entries.size())) - 1;
    for (Long i = index; i < last; ++i) box.entries[size_t(i)] = box.entries[size_t(i + 1)];
    box.used = last;
    box.total -= held;
    return true;
}

enum class AddResult { Added, Full, Refused };

// Whether Num pieces of an arm would go in: to its entry when it has one
// (the capacity is the callers' to keep there), else as a new last entry
// while the total is below the capacity.
template <class Box>
AddResult ArmsFit(const Game& g, const Box& box, Long armsId, Long num) {
    if (num <= 0 || armsId < 0 || armsId >= Long(g.AllArms.size())) return AddResult::Refused;
    if (std::int64_t(box.total) + num > std::numeric_limits<Long>::max()) return AddResult::Refused;
    const Long found = FindArm(box, armsId);
    if (found >= 0) {
        const auto& entry = box.entries[size_t(found)];
        if (std::int64_t(entry.*box.num) + num > std::numeric_limits<Long>::max()) return AddResult::Refused;
        return AddResult::Added;
    }
    if (box.total >= box.capacity || box.used >= Long(box.entries.size())) return AddResult::Full;
    return AddResult::Added;
}

// Adds Num pieces of an arm where ArmsFit allows. A new entry lists the arm:
// always on display and in the warehouse, in the bag only a special arm.
template <class Box>
AddResult AddArms(Game& g, Box& box, Long armsId, Long num, bool listAlways) {
    const AddResult fit = ArmsFit(g, box, armsId, num);
    if (fit != AddResult::Added) return fit;
    const Long found = FindArm(box, armsId);
    if (found >= 0) {
        box.entries[size_t(found)].*box.num += num;
        box.total += num;
        return AddResult::Added;
    }
    auto& entry = box.entries[size_t(box.used)];
    entry.*box.no = armsId;
    entry.*box.num = num;
    box.used += 1;
    box.total += num;
    auto& arm = g.AllArms[size_t(armsId)];
    if (listAlways || arm.Special) arm.LArmsList = true;
    return AddResult::Added;
}

Long FindSack(const Game& g, Long itemId, bool isGyoku) {
    const Long used = g.HaveSack < Long(g.MySack.size()) ? g.HaveSack : Long(g.MySack.size());
    for (Long i = 0; i < used; ++i) {
        const SackEntry& e = g.MySack[size_t(i)];
        if (e.HHaveSackNo == itemId && e.HHaveGyoku == isGyoku) return i;
    }
    return -1;
}

}  // namespace

bool SackCheck(Game& g, Long ItemId, Long Num, bool IsGyoku, bool Take) {
    const Long i = FindSack(g, ItemId, IsGyoku);
    if (i < 0) return false;
    const bool enough = g.MySack[size_t(i)].HHaveSackNum >= Num;
    if (!Take) {
        g.WorkIndex = i;
        return enough;
    }
    if (!enough) return false;
    return SackChange(g, ItemId, i, true, Num, IsGyoku);
}

bool SackFits(const Game& g, Long ItemId, Long Num, bool IsGyoku) {
    if (Num <= 0 || Num > SackMostPerKind) return false;
    const Long i = FindSack(g, ItemId, IsGyoku);
    if (i >= 0) return g.MySack[size_t(i)].HHaveSackNum <= SackMostPerKind - Num;
    return g.HaveSack < g.NowMaxSack && g.HaveSack < Long(g.MySack.size());
}

bool SackHoldsKind(const Game& g, Long ItemId, bool IsGyoku) { return FindSack(g, ItemId, IsGyoku) >= 0; }

const char* SackRefusal(const Game& g, Long ItemId, bool IsGyoku) {
    return SackHoldsKind(g, ItemId, IsGyoku) ? NineOfAKindLine : SackFullLine;
}

bool SackChange(Game& g, Long ItemId, Long Index, bool Remove, Long Num, bool IsGyoku) {
    if (Remove) {
        if (Index < 0 || Index >= g.HaveSack || Index >= Long(g.MySack.size())) {
            ReportSackFault(g, "[ Itemエラー番号 : ", ErrSubscript, ErrSubscriptText);
            return false;
        }
        if (Num <= 0) return false;
        SackEntry& e = g.MySack[size_t(Index)];
        if (e.HHaveSackNum > Num) {
            e.HHaveSackNum -= Num;
            return true;
        }
        const Long last = (g.HaveSack < Long(g.MySack.size()) ? g.HaveSack : Long(g.MySack.size())) - 1;
        for (Long i = Index; i < last; ++i) g.MySack[size_t(i)] = g.MySack[size_t(i + 1)];
        g.HaveSack = last;
        return true;
    }
    if (!SackFits(g, ItemId, Num, IsGyoku)) return false;
    const Long i = FindSack(g, ItemId, IsGyoku);
    if (i >= 0) {
        g.MySack[size_t(i)].HHaveSackNum += Num;
        return true;
    }
    SackEntry& e = g.MySack[size_t(g.HaveSack)];
    e.HHaveSackNo = ItemId;
    e.HHaveSackNum = Num;
    e.HHaveGyoku = IsGyoku;
    g.HaveSack += 1;
    return true;
}

bool BagCheck(Game& g, Long ArmsId, Long Num, bool Take) {
    auto box = Bag(g);
    const Long i = FindArm(box, ArmsId);
    if (i < 0) return false;
    const bool enough = g.MyBag[size_t(i)].HHaveBagNum >= Num;
    if (!Take || !enough) return enough;
    return BagChange(g, ArmsId, i, true, Num);
}

bool BagChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num) {
    auto box = Bag(g);
    if (Remove) return RemoveArms(box, Index, Num);
    return AddArms(g, box, ArmsId, Num, false) == AddResult::Added;
}

bool BagFits(const Game& g, Long ArmsId, Long Num) { return ArmsFit(g, Bag(g), ArmsId, Num) == AddResult::Added; }

bool ShopArmsTake(Game& g, Long ArmsId, Long Num) {
    auto box = Display(g);
    const Long i = FindArm(box, ArmsId);
    if (i < 0 || g.MyShopArms[size_t(i)].SShopArmsNum < Num) return false;
    return ShopArmsChange(g, ArmsId, i, true, Num);
}

namespace {

// The display and the warehouse: a new arm that finds them full asks the
// dialogue to say so.
template <class Box>
bool ChangeShelves(Game& g, Box box, Long ArmsId, Long Index, bool Remove, Long Num) {
    if (Remove) return RemoveArms(box, Index, Num);
    const AddResult r = AddArms(g, box, ArmsId, Num, true);
    if (r == AddResult::Full) g.StoryNo = 5;
    return r == AddResult::Added;
}

}  // namespace

bool ShopArmsChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num) {
    return ChangeShelves(g, Display(g), ArmsId, Index, Remove, Num);
}

bool StockArmsChange(Game& g, Long ArmsId, Long Index, bool Remove, Long Num) {
    return ChangeShelves(g, Warehouse(g), ArmsId, Index, Remove, Num);
}

}  // namespace q
