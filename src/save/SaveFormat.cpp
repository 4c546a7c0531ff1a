#include "save/SaveFormat.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/Game.h"

namespace q {

namespace {

// The digit in column 11 of lines 1 to 7. It carries nothing.
constexpr char ReservedDigit = '0';

// Ranges of the game that the file keeps to.
constexpr Long MaxItem = ItemCount - 1;
constexpr Long MaxJewel = MonsterCount - 1;
constexpr Long MaxArm = ArmCount - 1;
constexpr Long MaxSackPieces = 9;
constexpr Long MaxShop = 500;
constexpr Long MaxStock = 1000;
constexpr Long MaxBag = 150;
constexpr Long MaxContractDays = 30;
constexpr Long MinBalance = -9999999;
constexpr Long MaxMoney = 999999999;
constexpr Long MaxArmPrice = 3600000;
// The bank's row of the shares, whose price the file keeps.
constexpr size_t SharesOffer = 9;

constexpr Long Widest(int width) {
    Long v = 0;
    for (int i = 0; i < width; ++i) v = v * 10 + 9;
    return v;
}

// v held within [lo, hi]; lo when the range is empty.
constexpr Long Hold(Long v, Long lo, Long hi) { return v < lo || hi < lo ? lo : v > hi ? hi : v; }

template <class A>
constexpr Long Size() {
    return Long(std::tuple_size_v<A>);
}

// ---------------------------------------------------------------------------
// Writing: every field is appended in its kind's form. A magnitude outside
// its range is held at the nearest value inside it; an exact field (a
// count, a number of an arm or item) outside its range spoils the line.

class LineWriter {
public:
    static constexpr bool Reading = false;

    explicit LineWriter(Game& g) : g_(g) {}

    std::string line;
    bool ok = true;

    void Begin(std::size_t reserve) {
        line.clear();
        line.reserve(reserve);
    }
    void Noise(int count) {
        for (int i = 0; i < count; ++i) Append(g_.Chance(g_.RandHi - g_.RandLo + 1) + g_.RandLo, 5);
    }
    void Reserved() { line += ReservedDigit; }
    void FileNumber(Long Slot) { line += Slot == 0 ? "00001" : "00002"; }

    void Num(Long v, int width, Long lo, Long hi) { Append(Stored(v, width, lo, hi), width); }
    // The value that Num writes.
    static Long Stored(Long v, int width, Long lo, Long hi) { return Hold(v, lo, std::min(hi, Widest(width))); }
    void Exact(Long v, int width, Long lo, Long hi) {
        if (v < lo || v > hi || v > Widest(width)) ok = false;
        Num(v, width, lo, hi);
    }
    void Signed(Long v, int width, Long lo, Long hi) {
        v = Hold(v, std::max(lo, -Widest(width - 1)), std::min(hi, Widest(width)));
        if (v < 0) {
            line += '-';
            Append(-v, width - 1);
        } else {
            Append(v, width);
        }
    }
    void Flag(bool b) { line += b ? '1' : '0'; }
    void Require(bool holds) { ok = ok && holds; }
    void End() {}

private:
    void Append(Long v, int width) {
        char digits[10];
        for (int i = width - 1; i >= 0; --i) {
            digits[i] = char('0' + v % 10);
            v /= 10;
        }
        line.append(digits, std::size_t(width));
    }
    Game& g_;
};

// ---------------------------------------------------------------------------
// Reading: each field is cut out at the next column and stored only when it
// is a number of its kind inside its range. The first fault stops the line.

class LineReader {
public:
    static constexpr bool Reading = true;

    explicit LineReader(std::string_view plain) : text_(plain) {}

    bool ok = true;

    void Noise(int count) { Digits(5 * count); }
    void Reserved() { Digits(1); }
    void FileNumber(Long) { Digits(5); }

    void Num(Long& v, int width, Long lo, Long hi) {
        Long x = 0;
        if (Unsigned(width, x) && Check(x >= lo && x <= hi)) v = x;
    }
    void Exact(Long& v, int width, Long lo, Long hi) { Num(v, width, lo, hi); }
    // The value as the file holds it: what Num read.
    static Long Stored(Long v, int, Long, Long) { return v; }
    void Signed(Long& v, int width, Long lo, Long hi) {
        const std::string_view f = Take(std::size_t(width));
        if (!ok) return;
        const bool minus = f[0] == '-';
        Long x = 0;
        if (!Parse(minus ? f.substr(1) : f, x)) return;
        if (minus) x = -x;
        if (Check(x >= lo && x <= hi)) v = x;
    }
    void Flag(bool& b) {
        Long x = 0;
        if (Unsigned(1, x) && Check(x <= 1)) b = x == 1;
    }
    void Require(bool holds) { Check(holds); }
    // The line must end where its last field ends.
    void End() { Check(pos_ == text_.size()); }

private:
    bool Check(bool holds) {
        if (!holds) ok = false;
        return ok;
    }
    std::string_view Take(std::size_t width) {
        if (!ok || text_.size() - pos_ < width) {
            ok = false;
            return {};
        }
        const std::string_view f = text_.substr(pos_, width);
        pos_ += width;
        return f;
    }
    bool Parse(std::string_view f, Long& x) {
        if (f.empty()) return Check(false);
        std::int64_t v = 0;
        for (char c : f) {
            if (c < '0' || c > '9') return Check(false);
            v = v * 10 + (c - '0');
        }
        x = Long(v);
        return true;
    }
    bool Unsigned(int width, Long& x) {
        const std::string_view f = Take(std::size_t(width));
        return ok && Parse(f, x);
    }
    void Digits(int width) {
        Long ignored = 0;
        Unsigned(width, ignored);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The used entries of a list: none once the line has failed, and never
// more than the container holds.
template <class IO, class A>
Long Used(const IO& io, Long count, const A&) {
    return io.ok ? std::clamp<Long>(count, 0, Size<A>()) : 0;
}

// ---------------------------------------------------------------------------
// The lines. Each function describes its line once, field by field from
// column 1; `IO` writes the fields from the state or reads them into it.

// Line 1: the calendar and the heroine.
template <class IO>
void Line1(IO& io, GameState& s, Long Slot) {
    io.FileNumber(Slot);
    if constexpr (IO::Reading) {
        // The file's look counts only when no other look is waiting to be
        // applied (3, 4 and 5 stand for 0, 1 and 2 still to come).
        Long look = 0;
        io.Num(look, 5, 0, Widest(5));
        if (s.FieldLevel < 3) s.FieldLevel = look == 1 || look == 2 ? look : 0;
        else s.FieldLevel = s.FieldLevel == 5 ? 2 : s.FieldLevel == 4 ? 1 : 0;
    } else {
        io.Num(s.FieldLevel == 1 || s.FieldLevel == 2 ? s.FieldLevel : 0, 5, 0, 2);
    }
    io.Reserved();
    io.Num(s.NowTime, 3, 0, 99);
    io.Num(s.NowYear, 5, 3050, Widest(5));
    io.Num(s.NowMonth, 2, 1, 12);
    io.Num(s.NowDay, 2, 1, 29);
    io.Num(s.MyLevel, 2, 1, 99);
    io.Num(s.MyMaxEx, 6, 0, Widest(6));
    io.Num(s.MyNowEx, 6, 0, Widest(6));
    io.Num(s.MyMaxHp, 4, 1, 9999);
    io.Num(s.MyNowHp, 4, 0, s.MyMaxHp);
    io.Num(s.MyMaxBody, 3, 1, 999);
    io.Num(s.MyNowBody, 3, 0, s.MyMaxBody);
    io.Num(s.MyMaxWater, 3, 1, 999);
    io.Num(s.MyNowWater, 3, 0, s.MyMaxWater);
    io.Num(s.MyFame, 4, 0, 9999);
    io.Num(s.MyGold, 9, 0, MaxMoney);
    io.Num(s.MyAt, 3, 0, 999);
    io.Num(s.MyDi, 3, 0, 999);
    io.Num(s.MySp, 3, 0, 999);
    io.Num(s.UpValue, 2, 2, 99);
    io.Num(s.Warasibe, 2, 0, 12);
    io.Num(s.ClearFlg, 2, 0, 9);
    io.End();
}

// A month's incident: the day and its state.
template <class IO>
void Incident(IO& io, std::array<Long, 2>& day) {
    io.Num(day[0], 2, 0, 30);
    io.Num(day[1], 1, 0, 3);
}

// Line 2: counters, warp points, bosses and incidents.
template <class IO>
void Line2(IO& io, GameState& s) {
    io.Noise(2);
    io.Reserved();
    if constexpr (IO::Reading) {
        // The cleared flag alone is true for any digit but 0.
        Long cleared = 0;
        io.Num(cleared, 1, 0, 9);
        s.GameCleared = cleared != 0;
    } else {
        io.Flag(s.GameCleared);
    }
    for (Long* counter : {&s.EnemyCount, &s.EscapeCount, &s.DieCount, &s.SellCount, &s.BuyCount,
                          &s.DeclineCount, &s.DealingCount})
        io.Num(*counter, 9, 0, MaxMoney);
    for (auto& f : s.AnaSpot) io.Flag(f);
    for (auto& f : s.TouSpot) io.Flag(f);
    for (auto& f : s.ValuableItem) io.Flag(f);
    for (auto& f : s.BossOK) io.Flag(f);
    Incident(io, s.FireDay);
    Incident(io, s.RobberyDay);
    io.Num(s.SpecialFlg[0], 3, 0, 600);
    io.Num(s.SpecialFlg[1], 3, 0, 600);
    io.Num(s.BuyGyokuNum, 1, 0, 1);
    io.Num(s.CarpenOrder[0], 1, 0, 9);
    io.Num(s.CarpenOrder[1], 3, 0, 999);
    io.Num(s.CarpenOrder[2], 4, 0, 9999);
    io.End();
}

// Line 3: place and story values.
template <class IO>
void Line3(IO& io, GameState& s) {
    io.Noise(2);
    io.Reserved();
    if constexpr (IO::Reading) {
        // A digit that names no town leaves the place as it was.
        Long town = 0;
        io.Num(town, 1, 0, 9);
        if (io.ok && town < Long(SaveTowns.size())) s.FieldName = SaveTowns[std::size_t(town)];
    } else {
        const auto at = std::find(SaveTowns.begin(), SaveTowns.end(), s.FieldName);
        io.Require(at != SaveTowns.end());  // the game is saved in a town only
        io.Num(Long(at - SaveTowns.begin()), 1, 0, Long(SaveTowns.size()) - 1);
    }
    io.Num(s.GyokuFlg, 1, 0, 9);
    io.Num(s.FortuneFlg, 1, 0, FortuneFinished);
    io.Num(s.CarpenFlg, 1, 0, 9);
    io.Num(s.KajiyaFlg, 1, 0, KajiyaShoesSold);
    io.Num(s.MizuumiFlg, 1, 0, 9);
    io.Num(s.EconomyValue, 1, 0, EconomyBoom);
    io.Num(s.CloseOrder, 1, 0, Size<decltype(s.MyRequestArms)>());
    io.Num(s.OderNG, 1, 0, Size<decltype(s.MyRequestArms)>());
    for (int i = 0; i < 6; ++i) io.Num(s.NoaFlg[size_t(i)], 2, 0, 1);  // the six pieces
    io.Num(s.NoaFlg[6], 2, 0, 99);                                        // the queen's quest
    io.Num(s.GhostFlg[0], 1, 0, 2);
    io.Num(s.GhostFlg[1], 2, 0, 99);
    io.Num(s.BankNumber, 1, 0, 5);
    io.Num(s.MegamiFlg, 1, 0, 2);
    io.Flag(s.TorolFlg);
    io.End();
}

// Line 4: the settings. A speed the game does not know is kept as it is.
template <class IO>
void Line4(IO& io, GameState& s) {
    io.Noise(2);
    io.Reserved();
    io.Flag(s.MonsNothing);
    io.Flag(s.AutoNext);
    io.Flag(s.OnceStop);
    io.Flag(s.Stepping);
    io.Flag(s.FrontFLG);
    io.Flag(s.DBUFLG);
    io.Num(s.SpeedFlg, 1, 0, 9);
    io.End();
}

// Line 5: capacities, counts and the five lists.
template <class IO>
void Line5(IO& io, GameState& s) {
    io.Noise(2);
    io.Reserved();
    io.Num(s.NowMaxShop, 3, 0, MaxShop);
    io.Exact(s.HaveShop, 3, 0, std::min(s.NowMaxShop, Size<decltype(s.MyShopArms)>()));
    io.Num(s.HaveShopNum, 3, 0, Widest(3));
    io.Num(s.NowMaxStock, 4, 0, MaxStock);
    io.Exact(s.HaveStock, 4, 0, std::min(s.NowMaxStock, Size<decltype(s.MyStockArms)>()));
    io.Num(s.HaveStockNum, 4, 0, Widest(4));
    io.Num(s.NowMaxBag, 3, 0, MaxBag);
    io.Exact(s.HaveBag, 3, 0, std::min(s.NowMaxBag, Size<decltype(s.MyBag)>()));
    io.Num(s.HaveBagNum, 3, 0, Widest(3));
    io.Num(s.NowMaxSack, 2, 0, 50);
    io.Exact(s.HaveSack, 2, 0, std::min(s.NowMaxSack, Size<decltype(s.MySack)>()));
    io.Exact(s.NowRequest, 1, 0, Size<decltype(s.MyRequestArms)>());
    io.Num(s.WoodNum, 5, 0, 99999);

    for (Long k = 0, n = Used(io, s.HaveSack, s.MySack); k < n; ++k) {
        auto& e = s.MySack[size_t(k)];
        io.Exact(e.HHaveSackNo, 2, 0, MaxJewel);
        io.Num(e.HHaveSackNum, 1, 1, MaxSackPieces);
        io.Flag(e.HHaveGyoku);
        io.Require(e.HHaveGyoku || e.HHaveSackNo <= MaxItem);
    }
    // The pieces of the bag, the display and the warehouse as the file
    // holds them: never more than the room they are kept in, which no game
    // overfills.
    std::int64_t bag = 0, shop = 0, stock = 0;
    for (Long k = 0, n = Used(io, s.HaveBag, s.MyBag); k < n; ++k) {
        auto& e = s.MyBag[size_t(k)];
        io.Exact(e.HHaveBagNo, 3, 0, MaxArm);
        io.Num(e.HHaveBagNum, 3, 1, Widest(3));
        bag += io.Stored(e.HHaveBagNum, 3, 1, Widest(3));
    }
    io.Require(bag <= io.Stored(s.NowMaxBag, 3, 0, MaxBag));
    for (Long k = 0, n = Used(io, s.HaveShop, s.MyShopArms); k < n; ++k) {
        auto& e = s.MyShopArms[size_t(k)];
        io.Exact(e.SShopArmsNo, 3, 0, MaxArm);
        io.Num(e.SShopArmsNum, 3, 1, Widest(3));
        shop += io.Stored(e.SShopArmsNum, 3, 1, Widest(3));
    }
    io.Require(shop <= io.Stored(s.NowMaxShop, 3, 0, MaxShop));
    for (Long k = 0, n = Used(io, s.HaveStock, s.MyStockArms); k < n; ++k) {
        auto& e = s.MyStockArms[size_t(k)];
        io.Exact(e.SStockArmsNo, 3, 0, MaxArm);
        io.Num(e.SStockArmsNum, 4, 1, Widest(4));
        stock += io.Stored(e.SStockArmsNum, 4, 1, Widest(4));
    }
    io.Require(stock <= io.Stored(s.NowMaxStock, 4, 0, MaxStock));
    for (Long k = 0, n = Used(io, s.NowRequest, s.MyRequestArms); k < n; ++k) {
        auto& e = s.MyRequestArms[size_t(k)];
        io.Exact(e.SRequestArmsNo, 3, 0, MaxArm);
        io.Num(e.SRequestArmsNum, 2, 1, Widest(2));
        // Overdue by more than nine days still reads as overdue.
        io.Signed(e.SRequestArmsDay, 2, -9, Widest(2));
    }
    io.End();
}

// A contract of the estate agent: whether it runs, and its days left.
template <class IO>
void Contract(IO& io, Holding& h) {
    if constexpr (IO::Reading) {
        Long running = 0, days = 0;
        io.Num(running, 1, 0, 1);
        io.Num(days, 2, 0, MaxContractDays);
        io.Require((running == 1) == (days >= 1));
        if (io.ok) {
            h.HLHouseNum = running;
            h.HLHouseTime = days;
        }
    } else {
        const bool running = h.HLHouseTime >= 1;
        io.Flag(running);
        io.Num(running ? h.HLHouseTime : 0, 2, running ? 1 : 0, MaxContractDays);
    }
}

// Line 6: recipes, carpenter works, shares and money.
template <class IO>
void Line6(IO& io, GameState& s, SavedTables& t) {
    io.Noise(2);
    io.Reserved();
    for (auto& f : t.SLSmithRecipe) io.Flag(f);
    for (auto& f : t.SLCarpenOk) io.Flag(f);
    io.Num(t.SharePrice, 4, 700, 1300);
    auto& land = s.ShopHaveHouse[HouseLand];
    io.Num(land.HLHouseNum, 1, 0, 9);
    io.Num(land.HLHouseTime, 1, 0, 1);
    Contract(io, s.ShopHaveHouse[HouseTheftGuard]);
    Contract(io, s.ShopHaveHouse[HouseFireGuard]);
    // Shares and the balance keep no time: the file has "0" for it.
    auto& shares = s.ShopHaveHouse[HouseShares];
    io.Signed(shares.HLHouseNum, 9, 0, 9999);
    io.Num(shares.HLHouseTime, 1, 0, 0);
    auto& bank = s.ShopHaveHouse[HouseBank];
    io.Signed(bank.HLHouseNum, 9, MinBalance, MaxMoney);
    io.Num(bank.HLHouseTime, 1, 0, 0);
    io.End();
}

// Line 7: arms, valuables and jewels.
template <class IO>
void Line7(IO& io, GameState& s, SavedTables& t) {
    io.Noise(2);
    io.Reserved();
    for (size_t i = 0; i < t.LArmsSetPrice.size(); ++i) {
        io.Num(t.LArmsSetPrice[i], 7, 0, MaxArmPrice);
        io.Flag(t.LArmsList[i]);
    }
    for (auto& f : t.LKeyList) io.Flag(f);
    for (auto& f : t.LGyokuList) io.Flag(f);
    io.Num(s.HaveGyokuNum, 3, 0, Long(t.LGyokuList.size()));
    io.End();
}

// The pieces of a list of arms.
template <class A, class F>
Long Pieces(const A& list, Long used, F count) {
    std::int64_t sum = 0;
    for (Long k = 0; k < std::clamp<Long>(used, 0, Size<A>()); ++k) sum += count(list[size_t(k)]);
    return Long(std::min<std::int64_t>(sum, INT32_MAX));
}

// The pieces totals as their lists add them up.
void CountPieces(GameState& s) {
    s.HaveBagNum = Pieces(s.MyBag, s.HaveBag, [](const BagEntry& e) { return e.HHaveBagNum; });
    s.HaveShopNum = Pieces(s.MyShopArms, s.HaveShop, [](const ShopArmsEntry& e) { return e.SShopArmsNum; });
    s.HaveStockNum = Pieces(s.MyStockArms, s.HaveStock, [](const StockArmsEntry& e) { return e.SStockArmsNum; });
}

}  // namespace

SavedTables GatherTables(const Game& g) {
    SavedTables t;
    for (size_t i = 0; i < t.LArmsSetPrice.size(); ++i) {
        t.LArmsSetPrice[i] = g.AllArms[i].LArmsSetPrice;
        t.LArmsList[i] = g.AllArms[i].LArmsList;
    }
    for (size_t i = 0; i < t.LKeyList.size(); ++i) t.LKeyList[i] = g.AllKey[i].LKeyList;
    for (size_t i = 0; i < t.LGyokuList.size(); ++i) t.LGyokuList[i] = g.AllGyoku[i].LGyokuList;
    for (size_t i = 0; i < t.SLSmithRecipe.size(); ++i) t.SLSmithRecipe[i] = g.SmithSell[i].SLSmithRecipe;
    for (size_t i = 0; i < t.SLCarpenOk.size(); ++i) t.SLCarpenOk[i] = g.CarpenSell[i].SLCarpenOk;
    t.SharePrice = g.ShopSellHouse[SharesOffer].SLHousePrice;
    return t;
}

void ApplyTables(Game& g, const SavedTables& t) {
    for (size_t i = 0; i < t.LArmsSetPrice.size(); ++i) {
        g.AllArms[i].LArmsSetPrice = t.LArmsSetPrice[i];
        g.AllArms[i].LArmsList = t.LArmsList[i];
    }
    for (size_t i = 0; i < t.LKeyList.size(); ++i) g.AllKey[i].LKeyList = t.LKeyList[i];
    for (size_t i = 0; i < t.LGyokuList.size(); ++i) g.AllGyoku[i].LGyokuList = t.LGyokuList[i];
    for (size_t i = 0; i < t.SLSmithRecipe.size(); ++i) g.SmithSell[i].SLSmithRecipe = t.SLSmithRecipe[i];
    for (size_t i = 0; i < t.SLCarpenOk.size(); ++i) g.CarpenSell[i].SLCarpenOk = t.SLCarpenOk[i];
    g.ShopSellHouse[SharesOffer].SLHousePrice = t.SharePrice;
}

std::string SaveFileName(int fileNumber) { return "Quorvane_" + std::to_string(fileNumber) + ".dat"; }

std::optional<SaveLines> BuildSaveLines(Game& g, Long Slot) {
    g.RandHi = 99999;
    g.RandLo = 10000;
    // The totals are repaired before they are written, so the file never
    // carries totals that disagree with its lists.
    CountPieces(g);
    SavedTables tables = GatherTables(g);

    SaveLines lines;
    LineWriter w(g);
    auto line = [&](int n, auto&& describe) {
        w.Begin(n <= SaveLinesRead ? SaveLineMax[size_t(n - 1)] : NoiseLineLength);
        describe();
        lines[size_t(n - 1)] = std::move(w.line);
    };
    line(1, [&] { Line1(w, g, Slot); });
    line(2, [&] { Line2(w, g); });
    line(3, [&] { Line3(w, g); });
    line(4, [&] { Line4(w, g); });
    line(5, [&] { Line5(w, g); });
    line(6, [&] { Line6(w, g, tables); });
    line(7, [&] { Line7(w, g, tables); });
    for (int n = 8; n <= SaveLineCount; ++n) line(n, [&] { w.Noise(60); });
    if (!w.ok) return std::nullopt;
    return lines;
}

bool ReadSaveLines(std::span<const std::string> plain, GameState& s, SavedTables& t) {
    if (plain.size() < size_t(SaveLinesRead)) return false;
    bool ok = true;
    auto line = [&](int n, auto&& describe) {
        if (!ok) return;
        LineReader r(plain[size_t(n - 1)]);
        describe(r);
        ok = r.ok;
    };
    line(1, [&](LineReader& r) { Line1(r, s, 0); });
    line(2, [&](LineReader& r) { Line2(r, s); });
    line(3, [&](LineReader& r) { Line3(r, s); });
    line(4, [&](LineReader& r) { Line4(r, s); });
    line(5, [&](LineReader& r) { Line5(r, s); });
    line(6, [&](LineReader& r) { Line6(r, s, t); });
    line(7, [&](LineReader& r) { Line7(r, s, t); });
    if (ok) CountPieces(s);
    return ok;
}

}  // namespace q
