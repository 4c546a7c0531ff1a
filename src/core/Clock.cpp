#include "core/Clock.h"

#include <string>

#include "core/Game.h"
#include "core/Growth.h"
#include "core/Message.h"
#include "core/Stats.h"
#include "shop/ListWindows.h"

namespace q {

namespace {

constexpr size_t SharesRow = 9;  // the bank's share offer
constexpr size_t OwnShop = 0;    // the carpenter's first work: her own shop
constexpr Long CastleWaitFirst = 2;
constexpr Long CastleWaitLast = 17;  // the queen's news has come

// "#,##0"
std::string Grouped(Long n) {
    std::string digits = std::to_string(n < 0 ? -std::int64_t(n) : std::int64_t(n));
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

void ChargeBank(Game& g, Long cost) {
    Long& balance = g.ShopHaveHouse[HouseBank].HLHouseNum;
    const std::int64_t after = std::int64_t(balance) - cost;
    balance = after < LowestBalance ? LowestBalance : Long(after);
}

// The share price's walk: one step a day, held within its band.
void MoveSharePrice(Game& g) {
    Long& price = g.ShopSellHouse[SharesRow].SLHousePrice;
    const Long sign = g.Chance(2) == 0 ? 1 : -1;
    price += sign * Long(g.Chance(51));
    if (price < LowestSharePrice) price = LowestSharePrice;
    if (price > HighestSharePrice) price = HighestSharePrice;
}

// The new month's economy: stable, slump and boom each with odds 2 in 6.
Long DrawEconomy(Game& g) {
    const long r = g.Chance(6);
    if (r <= 1) return EconomySlump;
    if (r <= 3) return EconomyBoom;
    return EconomyStable;
}

bool Scheduled(const std::array<Long, 2>& incident) {
    return incident[1] == IncidentScheduled && incident[0] != 0;
}

void IncidentDay(Game& g, std::array<Long, 2>& incident, int guardRow) {
    if (g.ShopOpen) incident[1] = IncidentSettled;
    else if (g.ShopHaveHouse[size_t(guardRow)].HLHouseTime >= 1) incident[1] = IncidentPrevented;
    else incident[1] = IncidentHappened;
}

void AnnounceTheft(Game& g) {
    auto& theft = g.RobberyDay;
    if (g.NowDay == theft[0]) return;
    const std::string day = std::to_string(theft[0]);
    if (theft[1] == IncidentPrevented) {
        ShowMessage(g, "イザベラ：「" + day + "日に不法侵入者が現れましたが、取り押さえました」だって。警備会社に入っといて良かった～");
        theft[1] = IncidentSettled;
    } else if (theft[1] == IncidentHappened) {
        if (g.Chance(2) == 0) {
            if (g.HaveShopNum == 0) {
                theft[1] = IncidentSettled;
                return;
            }
            g.HaveShop = 0;
            g.HaveShopNum = 0;
            g.WorkName = "店";
        } else {
            g.HaveStock = 0;
            g.HaveStockNum = 0;
            g.WorkName = "倉庫";
        }
        RefreshListWindow(g);
        ShowMessage(g, "イザベラ：やられた！" + g.WorkName + "の武具が全てなくなってるわ！！");
        theft[1] = IncidentSettled;
    }
}

// The damage of a fire in her own shop grows with its size.
Long FireCost(const Game& g) {
    const Long c = g.NowMaxShop + g.NowMaxStock;
    if (c < 300) return 20000;
    if (c < 600) return 40000;
    if (c < 900) return 60000;
    if (c < 1200) return 80000;
    return 100000;
}

void AnnounceFire(Game& g) {
    auto& fire = g.FireDay;
    if (g.NowDay == fire[0]) return;
    const std::string day = std::to_string(fire[0]);
    if (fire[1] == IncidentPrevented) {
        ShowMessage(g, "イザベラ：「" + day + "日に火災が発生しましたが、無事消火しました」だって。火災検知に入っといて良かった～");
        fire[1] = IncidentSettled;
    } else if (fire[1] == IncidentHappened) {
        const bool own = g.CarpenSell[OwnShop].SLCarpenOk;
        const Long cost = own ? FireCost(g) : 10000;
        if (own) {
            ShowMessage(g, "イザベラ：「" + day + "日に火災が発生しました。費用として" + Grouped(cost) +
                               "カリム掛かりました。徴収は銀行にて」だって。最悪～！");
        } else {
            ShowMessage(g, "イザベラ：「" + day +
                               "日に火災が発生しました。費用として10,000カリム掛かりました。徴収は銀行にて」だって。最悪～！");
        }
        const bool covered = g.ShopHaveHouse[HouseBank].HLHouseNum >= cost;
        AddStat(g, -double(covered ? g.MyFame / 5 : g.MyFame / 3), "Fame");
        ChargeBank(g, cost);
        fire[1] = IncidentSettled;
    }
}

}  // namespace

Long StepsPerUnit(const Game& g) {
    const bool paralysed = g.Condition[CondParalysis] != 0;
    const bool fast = g.Condition[CondFastWalk] != 0;
    if (paralysed && !fast) return 2;
    if (fast && !paralysed) return 8;
    return g.SceneFormName == "frmShop" ? 12 : 4;
}

void AdvanceTime(Game& g, Long Units, bool Strain) {
    if (Units == 1) {
        const Long per = StepsPerUnit(g);
        if (g.StepCount + 1 < per) {
            g.StepCount += 1;
            return;
        }
        g.StepCount = g.StepCount + 1 - per;
    }
    PassTime(g, Units);
    if (HungerTurn(g)) return;
    if (g.SceneFormName == "frmField" && StatusTurn(g)) return;
    if (Strain && StrainDamage(g)) return;
    RefreshListWindow(g);
}

void PassTime(Game& g, Long Units) {
    const Long t = g.NowTime + Units;
    if (t < UnitsPerDay) {
        g.NowTime = t;
        return;
    }
    const Long days = t / UnitsPerDay;

    // Royal orders: days left, and how many are due or overdue.
    g.CloseOrder = 0;
    g.OderNG = 0;
    const Long orders = g.NowRequest < Long(g.MyRequestArms.size()) ? g.NowRequest : Long(g.MyRequestArms.size());
    for (Long i = 0; i < orders; ++i) {
        Long& left = g.MyRequestArms[size_t(i)].SRequestArmsDay;
        if (left != -2) left -= days;
        if (left == 0) g.CloseOrder += 1;
        else if (left < 0) g.OderNG += 1;
    }

    // The security and fire-detection contracts run down.
    for (int row : {HouseTheftGuard, HouseFireGuard}) {
        Long& left = g.ShopHaveHouse[size_t(row)].HLHouseTime;
        if (left >= 1) left = left > days ? left - days : 0;
    }

    for (Long i = 0; i < days; ++i) MoveSharePrice(g);

    // The month's incident, when its day has come.
    const Long d = g.NowDay + days;
    if (Scheduled(g.RobberyDay) && g.RobberyDay[0] <= d) ShopIncident(g, 1);
    else if (Scheduled(g.FireDay) && g.FireDay[0] <= d) ShopIncident(g, 2);

    // Month end: the rent while she has no shop of her own, and the next incident.
    if (d >= DaysPerMonth) {
        if (!g.CarpenSell[OwnShop].SLCarpenOk) {
            if (g.ShopHaveHouse[HouseBank].HLHouseNum < Rent) AddStat(g, -100, "Fame");
            ChargeBank(g, Rent);
        }
        ShopIncident(g, 0);
    }

    // The queen's fifteen days: counted up to 17 and held there. Later
    // stages of the castle story are not counted.
    Long& castle = g.NoaFlg[6];
    if (castle >= CastleWaitFirst && castle < CastleWaitLast) {
        castle = castle + days >= CastleWaitLast ? CastleWaitLast : castle + days;
    }

    g.BuyGyokuNum = 1;
    g.NowTime = t - UnitsPerDay * days;

    if (d < DaysPerMonth) {
        g.NowDay = d;
    } else {
        g.NowDay = d - DaysPerMonth == 0 ? 1 : d - DaysPerMonth;
        g.NowMonth += 1;
        g.EconomyValue = DrawEconomy(g);
        if (g.NowMonth == 13) {
            g.NowMonth = 1;
            g.NowYear += 1;
        }
    }
    g.MegamiFlg = g.NowDay % 10 == 7 ? 1 : 0;
}

void ShopIncident(Game& g, Long IncidentKind) {
    switch (IncidentKind) {
        case 0:
            if (g.RobberyDay[1] < IncidentPrevented && g.FireDay[1] < IncidentPrevented) {
                auto& incident = g.Chance(2) == 0 ? g.RobberyDay : g.FireDay;
                incident[0] = 1 + Long(g.Chance(30));
                incident[1] = IncidentScheduled;
            }
            break;
        case 1: IncidentDay(g, g.RobberyDay, HouseTheftGuard); break;
        case 2: IncidentDay(g, g.FireDay, HouseFireGuard); break;
        case 3: AnnounceTheft(g); break;
        case 4: AnnounceFire(g); break;
        default: break;
    }
}

}  // namespace q
