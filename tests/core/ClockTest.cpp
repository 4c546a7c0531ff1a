#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/Clock.h"
#include "data/Tables.h"

namespace q {
namespace {

using test::Pick;
using test::RulesTest;

// A list window that counts how often it is rebuilt.
class CountingList : public GameForm {
public:
    explicit CountingList(Game& g) : GameForm(g, "frmStatus") {}
    void Form_Load() override { ++loads; }
    int loads = 0;
};

class ClockTest : public RulesTest {
protected:
    ClockTest() {
        g().NowYear = 3050;
        g().NowMonth = 4;
        g().NowDay = 10;
        g().NowTime = 0;
        g().MyLevel = 1;
        g().MyMaxHp = 35;
        g().MyNowHp = 35;
        g().MyMaxBody = 100;
        g().MyNowBody = 80;
        g().MyMaxWater = 100;
        g().MyNowWater = 80;
        g().MyFame = 500;
        g().ShopSellHouse[9].SLHousePrice = 1000;
        g().SceneFormName = "frmShop";
    }
    // One day's share price draws: up by `step`.
    void ShareDraws(long step = 0) {
        g().rng.Queue(Pick(0, 2));
        g().rng.Queue(Pick(step, 51));
        NoDraws();
    }
    // The month end's draws: the next incident (a theft on day 15), then the economy (stable).
    void MonthDraws() {
        Draws({Pick(0, 2), Pick(14, 30), Pick(4, 6)});
    }
};

// --- Steps and units ---

struct StepCase {
    const char* scene;
    bool paralysed;
    bool fast;
    int steps;
};

class StepsPerUnitCase : public ClockTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(StepsPerUnitCase, AUnitPassesWhenItsStepsAreCounted) {
    const StepCase& c = GetParam();
    g().SceneFormName = c.scene;
    g().Condition[CondParalysis] = c.paralysed ? 50 : 0;
    g().Condition[CondFastWalk] = c.fast ? 50 : 0;
    g().Condition[CondNoHunger] = 50;  // no draws for fullness
    NoDraws();
    for (int i = 1; i < c.steps; ++i) AdvanceTime(g(), 1, false);
    EXPECT_EQ(g().NowTime, 0) << c.scene;
    EXPECT_EQ(g().MyNowWater, 80) << c.scene << ": no hunger turn before the unit passes";
    AdvanceTime(g(), 1, false);
    EXPECT_EQ(g().NowTime, 1) << c.scene;
    EXPECT_EQ(g().StepCount, 0) << c.scene;
    EXPECT_EQ(g().MyNowWater, 79) << c.scene;
}

INSTANTIATE_TEST_SUITE_P(Rules, StepsPerUnitCase,
                         ::testing::Values(StepCase{"frmShop", false, false, 12}, StepCase{"frmField", false, false, 4},
                                           StepCase{"frmEvent", false, false, 4}, StepCase{"frmField", true, false, 2},
                                           StepCase{"frmShop", true, false, 2}, StepCase{"frmField", false, true, 8},
                                           StepCase{"frmField", true, true, 4}, StepCase{"frmShop", true, true, 12}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.scene, Flag{c.paralysed, "Paralysed"}, Flag{c.fast, "Fast"}); }));

TEST_F(ClockTest, TheTwelfthShopTickRunsAHungerTurnAndRefreshesTheList) {
    auto list = std::make_unique<CountingList>(g());
    list->Show();
    g().ListName = "frmStatus";
    const int before = list->loads;
    for (int i = 0; i < 11; ++i) AdvanceTime(g(), 1, false);
    EXPECT_EQ(list->loads, before);
    Draws({Pick(0, 5)});  // fullness falls
    AdvanceTime(g(), 1, false);
    EXPECT_EQ(g().NowTime, 1);
    EXPECT_EQ(g().MyNowBody, 79);
    EXPECT_EQ(list->loads, before + 1);
}

TEST_F(ClockTest, ADealPassesTwoUnitsWithOneHungerTurnAndOneStrain) {
    g().StepCount = 5;
    Draws({Pick(1, 5), Pick(0, 1)});
    AdvanceTime(g(), 2, true);
    EXPECT_EQ(g().NowTime, 2);
    EXPECT_EQ(g().StepCount, 5);
    EXPECT_EQ(g().MyNowWater, 79);
    EXPECT_EQ(g().MyNowHp, 34);
}

TEST_F(ClockTest, InTheFieldTheConditionsRunDownWithTheUnit) {
    g().SceneFormName = "frmField";
    g().Condition[CondNoHunger] = 3;
    g().Condition[CondLantern] = 2;
    NoDraws();
    AdvanceTime(g(), 3, false);
    EXPECT_EQ(g().Condition[CondNoHunger], 2);
    EXPECT_EQ(g().Condition[CondLantern], 1);
}

TEST_F(ClockTest, AFaintStopsTheTimeStep) {
    auto list = std::make_unique<CountingList>(g());
    list->Show();
    g().ListName = "frmStatus";
    g().MyNowBody = 0;
    g().MyNowHp = 1;
    NoDraws();
    const int before = list->loads;
    AdvanceTime(g(), 2, true);  // starving takes the last HP; no strain follows
    EXPECT_TRUE(g().DieFlg);
    EXPECT_EQ(list->loads, before + 1) << "only the faint refreshes the list";
}

// --- Days and months ---

TEST_F(ClockTest, HalfADayOverMidnight) {
    g().NowTime = 60;
    g().NowRequest = 1;
    g().MyRequestArms[0].SRequestArmsDay = 3;
    ShareDraws(9);
    PassTime(g(), 50);
    EXPECT_EQ(g().NowDay, 11);
    EXPECT_EQ(g().NowTime, 10);
    EXPECT_EQ(g().MyRequestArms[0].SRequestArmsDay, 2);
    EXPECT_EQ(g().ShopSellHouse[9].SLHousePrice, 1009);
    EXPECT_EQ(g().BuyGyokuNum, 1);
}

TEST_F(ClockTest, WithinTheDayOnlyTheTimeMoves) {
    g().NowTime = 40;
    g().BuyGyokuNum = 0;
    NoDraws();
    PassTime(g(), 59);
    EXPECT_EQ(g().NowTime, 99);
    EXPECT_EQ(g().NowDay, 10);
    EXPECT_EQ(g().BuyGyokuNum, 0);
}

struct DayCase {
    Long day, month, year, units;
    Long dayAfter, monthAfter, yearAfter;
};

class Calendar : public ClockTest, public ::testing::WithParamInterface<DayCase> {};

TEST_P(Calendar, DaysRollIntoMonthsAndYears) {
    const DayCase& c = GetParam();
    g().NowDay = c.day;
    g().NowMonth = c.month;
    g().NowYear = c.year;
    for (Long i = 0; i < c.units / 100; ++i) ShareDraws();
    if (c.monthAfter != c.month) MonthDraws();
    PassTime(g(), c.units);
    EXPECT_EQ(g().NowDay, c.dayAfter) << c.day << "/" << c.month;
    EXPECT_EQ(g().NowMonth, c.monthAfter) << c.day << "/" << c.month;
    EXPECT_EQ(g().NowYear, c.yearAfter) << c.day << "/" << c.month;
    EXPECT_EQ(g().MegamiFlg, c.dayAfter % 10 == 7 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Rules, Calendar,
                         ::testing::Values(DayCase{10, 4, 3050, 100, 11, 4, 3050}, DayCase{29, 4, 3050, 100, 1, 5, 3050},
                                           DayCase{28, 4, 3050, 200, 1, 5, 3050}, DayCase{29, 4, 3050, 200, 1, 5, 3050},
                                           DayCase{27, 4, 3050, 300, 1, 5, 3050}, DayCase{29, 12, 3050, 100, 1, 1, 3051},
                                           DayCase{6, 4, 3050, 100, 7, 4, 3050}, DayCase{16, 4, 3050, 100, 17, 4, 3050},
                                           DayCase{25, 4, 3050, 200, 27, 4, 3050}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.year, c.month, c.day, "Plus", c.units); }));

TEST_F(ClockTest, TheMonthsDrawsComeInTheirOrder) {
    g().NowDay = 29;
    g().RobberyDay = {3, IncidentSettled};
    g().FireDay = {20, IncidentSettled};
    Draws({Pick(1, 2), Pick(7, 51),  // the share price falls by 7
           Pick(1, 2), Pick(11, 30),  // a fire on day 12
           Pick(2, 6)});              // a boom
    PassTime(g(), 100);
    EXPECT_EQ(g().ShopSellHouse[9].SLHousePrice, 993);
    EXPECT_EQ(g().FireDay, (std::array<Long, 2>{12, IncidentScheduled}));
    EXPECT_EQ(g().RobberyDay, (std::array<Long, 2>{3, IncidentSettled}));
    EXPECT_EQ(g().EconomyValue, EconomyBoom);
}

class Economy : public ClockTest, public ::testing::WithParamInterface<std::pair<long, Long>> {};

TEST_P(Economy, EachOfTheThreeTwoInSix) {
    g().NowDay = 29;
    g().RobberyDay = {3, IncidentPrevented};  // waits for its announcement: nothing is scheduled
    ShareDraws();
    Draws({Pick(GetParam().first, 6)});
    PassTime(g(), 100);
    EXPECT_EQ(g().EconomyValue, GetParam().second) << "r = " << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Rules, Economy,
                         ::testing::Values(std::pair<long, Long>{0, EconomySlump}, std::pair<long, Long>{1, EconomySlump},
                                           std::pair<long, Long>{2, EconomyBoom}, std::pair<long, Long>{3, EconomyBoom},
                                           std::pair<long, Long>{4, EconomyStable},
                                           std::pair<long, Long>{5, EconomyStable}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Draw", c.first); }));

TEST_F(ClockTest, OrdersCountDownToTheirDayAndPastIt) {
    const std::array<Long, 5> left{1, 0, -1, -2, 5};
    g().NowRequest = 5;
    for (size_t i = 0; i < 5; ++i) g().MyRequestArms[i].SRequestArmsDay = left[i];
    ShareDraws();
    PassTime(g(), 100);
    std::array<Long, 5> now{};
    for (size_t i = 0; i < 5; ++i) now[i] = g().MyRequestArms[i].SRequestArmsDay;
    EXPECT_EQ(now, (std::array<Long, 5>{0, -1, -2, -2, 4}));
    EXPECT_EQ(g().CloseOrder, 1);
    EXPECT_EQ(g().OderNG, 3);

    ShareDraws();
    PassTime(g(), 100);
    for (size_t i = 0; i < 5; ++i) now[i] = g().MyRequestArms[i].SRequestArmsDay;
    EXPECT_EQ(now, (std::array<Long, 5>{-1, -2, -2, -2, 3}));
    EXPECT_EQ(g().CloseOrder, 0);
    EXPECT_EQ(g().OderNG, 4);
}

TEST_F(ClockTest, OnlyTheOrdersHeldAreCounted) {
    g().NowRequest = 2;
    g().MyRequestArms[0].SRequestArmsDay = 1;
    g().MyRequestArms[1].SRequestArmsDay = 1;
    g().MyRequestArms[2].SRequestArmsDay = 1;  // a stale entry past the count
    ShareDraws();
    PassTime(g(), 100);
    EXPECT_EQ(g().CloseOrder, 2);
    EXPECT_EQ(g().MyRequestArms[2].SRequestArmsDay, 1);
}

struct NoahCase {
    Long before, days, after;
};

class CastleWait : public ClockTest, public ::testing::WithParamInterface<NoahCase> {};

TEST_P(CastleWait, CountsTheQueensDaysUpToSeventeenOnly) {
    const NoahCase& c = GetParam();
    g().NoaFlg[6] = c.before;
    for (Long i = 0; i < c.days; ++i) ShareDraws();
    PassTime(g(), 100 * c.days);
    EXPECT_EQ(g().NoaFlg[6], c.after) << "from " << c.before;
}

INSTANTIATE_TEST_SUITE_P(Rules, CastleWait,
                         ::testing::Values(NoahCase{0, 1, 0}, NoahCase{1, 1, 1}, NoahCase{2, 1, 3}, NoahCase{15, 1, 16},
                                           NoahCase{16, 1, 17}, NoahCase{15, 3, 17}, NoahCase{16, 3, 17},
                                           NoahCase{17, 2, 17}, NoahCase{20, 1, 20}, NoahCase{30, 2, 30}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Before", c.before, "Days", c.days); }));

TEST_F(ClockTest, TheSharePriceStaysInItsBand) {
    g().ShopSellHouse[9].SLHousePrice = 1290;
    ShareDraws(50);
    PassTime(g(), 100);
    EXPECT_EQ(g().ShopSellHouse[9].SLHousePrice, 1300);

    g().ShopSellHouse[9].SLHousePrice = 710;
    Draws({Pick(1, 2), Pick(50, 51)});
    PassTime(g(), 100);
    EXPECT_EQ(g().ShopSellHouse[9].SLHousePrice, 700);

    g().rng.SetStrict(false);
    for (int day = 0; day < 2000; ++day) {
        PassTime(g(), 100);
        const Long price = g().ShopSellHouse[9].SLHousePrice;
        ASSERT_GE(price, LowestSharePrice);
        ASSERT_LE(price, HighestSharePrice);
    }
}

// --- Rent ---

struct RentCase {
    const char* what;
    bool ownShop;
    Long balance;
    Long balanceAfter;
    Long fameAfter;
};

class RentCases : public ClockTest, public ::testing::WithParamInterface<RentCase> {};

TEST_P(RentCases, AtTheMonthEnd) {
    const RentCase& c = GetParam();
    g().NowDay = 29;
    g().CarpenSell[0].SLCarpenOk = c.ownShop;
    g().ShopHaveHouse[HouseBank].HLHouseNum = c.balance;
    ShareDraws();
    MonthDraws();
    PassTime(g(), 100);
    EXPECT_EQ(g().ShopHaveHouse[HouseBank].HLHouseNum, c.balanceAfter) << c.what;
    EXPECT_EQ(g().MyFame, c.fameAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Rules, RentCases,
                         ::testing::Values(RentCase{"short of the rent", false, 3000, -2000, 400},
                                           RentCase{"the rent exactly", false, 5000, 0, 500},
                                           RentCase{"in her own shop", true, 3000, 3000, 500},
                                           RentCase{"the debt stops at its floor", false, -9998000, -9999999, 400}),
    q::test::NameBy(&RentCase::what));

// --- The month's theft or fire ---

struct DayComesCase {
    const char* what;
    Long kind;  // 1 theft, 2 fire
    Long guardDays;
    bool shopOpen;
    Long state;
    Long guardAfter;
};

class IncidentDays : public ClockTest, public ::testing::WithParamInterface<DayComesCase> {};

TEST_P(IncidentDays, SettledPreventedOrHappened) {
    const DayComesCase& c = GetParam();
    auto& incident = c.kind == 1 ? g().RobberyDay : g().FireDay;
    const int guard = c.kind == 1 ? HouseTheftGuard : HouseFireGuard;
    incident = {11, IncidentScheduled};
    g().ShopHaveHouse[size_t(guard)].HLHouseTime = c.guardDays;
    g().ShopOpen = c.shopOpen;
    ShareDraws();
    PassTime(g(), 100);
    EXPECT_EQ(incident[1], c.state) << c.what;
    EXPECT_EQ(g().ShopHaveHouse[size_t(guard)].HLHouseTime, c.guardAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IncidentDays,
    ::testing::Values(DayComesCase{"theft, security ends that day", 1, 1, false, IncidentHappened, 0},
                      DayComesCase{"theft, security running", 1, 2, false, IncidentPrevented, 1},
                      DayComesCase{"theft while the shop is open", 1, 0, true, IncidentSettled, 0},
                      DayComesCase{"fire without detection", 2, 0, false, IncidentHappened, 0},
                      DayComesCase{"fire, detection running", 2, 5, false, IncidentPrevented, 4},
                      DayComesCase{"fire while the shop is open", 2, 0, true, IncidentSettled, 0}),
    q::test::NameBy(&DayComesCase::what));

TEST_F(ClockTest, ATheftAndAFireDueTogetherComeOneAtATime) {
    g().RobberyDay = {11, IncidentScheduled};
    g().FireDay = {11, IncidentScheduled};
    ShareDraws();
    PassTime(g(), 100);
    EXPECT_EQ(g().RobberyDay[1], IncidentHappened);
    EXPECT_EQ(g().FireDay[1], IncidentScheduled);
    ShareDraws();
    PassTime(g(), 100);
    EXPECT_EQ(g().FireDay[1], IncidentHappened);
}

TEST_F(ClockTest, ATheftOnDayThirtyComesBeforeTheMonthEndSchedulesAgain) {
    g().NowDay = 29;
    g().RobberyDay = {30, IncidentScheduled};
    g().FireDay = {4, IncidentSettled};
    ShareDraws();
    Draws({Pick(4, 6)});  // only the economy: nothing is scheduled while the theft waits
    PassTime(g(), 100);
    EXPECT_EQ(g().RobberyDay, (std::array<Long, 2>{30, IncidentHappened}));
    EXPECT_EQ(g().FireDay, (std::array<Long, 2>{4, IncidentSettled}));
    EXPECT_EQ(g().NowDay, 1);
}

struct TheftCase {
    const char* what;
    Long state;
    Long day;            // the theft's day (today is 10)
    std::vector<double> draws;
    Long shopNum, stockNum;
    const char* line;
    Long shopAfter, stockAfter;
    Long stateAfter;
};

class TheftNews : public ClockTest, public ::testing::WithParamInterface<TheftCase> {};

TEST_P(TheftNews, ToldWhenSheComesHome) {
    const TheftCase& c = GetParam();
    g().RobberyDay = {c.day, c.state};
    g().HaveShop = c.shopNum > 0 ? 1 : 0;
    g().HaveShopNum = c.shopNum;
    g().HaveStock = c.stockNum > 0 ? 1 : 0;
    g().HaveStockNum = c.stockNum;
    for (double u : c.draws) g().rng.Queue(u);
    NoDraws();
    ShopIncident(g(), 3);
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().HaveShopNum, c.shopAfter) << c.what;
    EXPECT_EQ(g().HaveStockNum, c.stockAfter) << c.what;
    EXPECT_EQ(g().HaveShop, c.shopAfter > 0 ? 1 : 0) << c.what;
    EXPECT_EQ(g().HaveStock, c.stockAfter > 0 ? 1 : 0) << c.what;
    EXPECT_EQ(g().RobberyDay[1], c.stateAfter) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TheftNews,
    ::testing::Values(
        TheftCase{"prevented", IncidentPrevented, 8, {}, 5, 5,
                  "イザベラ：「8日に不法侵入者が現れましたが、取り押さえました」だって。警備会社に入っといて良かった～", 5, 5,
                  IncidentSettled},
        TheftCase{"the display robbed", IncidentHappened, 8, {Pick(0, 2)}, 5, 5,
                  "イザベラ：やられた！店の武具が全てなくなってるわ！！", 0, 5, IncidentSettled},
        TheftCase{"an empty display: settled without a word", IncidentHappened, 8, {Pick(0, 2)}, 0, 5, "", 0, 5,
                  IncidentSettled},
        TheftCase{"the warehouse robbed", IncidentHappened, 8, {Pick(1, 2)}, 5, 5,
                  "イザベラ：やられた！倉庫の武具が全てなくなってるわ！！", 5, 0, IncidentSettled},
        TheftCase{"an empty warehouse still has its line", IncidentHappened, 8, {Pick(1, 2)}, 5, 0,
                  "イザベラ：やられた！倉庫の武具が全てなくなってるわ！！", 5, 0, IncidentSettled},
        TheftCase{"not on the theft's own day", IncidentHappened, 10, {}, 5, 5, "", 5, 5, IncidentHappened},
        TheftCase{"a theft while the shop was open is never told", IncidentSettled, 8, {}, 5, 5, "", 5, 5,
                  IncidentSettled},
        TheftCase{"still to come", IncidentScheduled, 20, {}, 5, 5, "", 5, 5, IncidentScheduled}),
    q::test::NameBy(&TheftCase::what));

struct FireCase {
    const char* what;
    Long state;
    bool ownShop;
    Long capacity;  // display and warehouse together
    Long balance, fame;
    const char* line;
    Long balanceAfter, fameAfter;
};

class FireNews : public ClockTest, public ::testing::WithParamInterface<FireCase> {};

TEST_P(FireNews, ChargedToTheBank) {
    const FireCase& c = GetParam();
    g().FireDay = {12, c.state};
    g().NowDay = 14;
    g().CarpenSell[0].SLCarpenOk = c.ownShop;
    g().NowMaxShop = c.capacity / 3;
    g().NowMaxStock = c.capacity - c.capacity / 3;
    g().ShopHaveHouse[HouseBank].HLHouseNum = c.balance;
    g().MyFame = c.fame;
    NoDraws();
    ShopIncident(g(), 4);
    EXPECT_EQ(Bar(), c.line) << c.what;
    EXPECT_EQ(g().ShopHaveHouse[HouseBank].HLHouseNum, c.balanceAfter) << c.what;
    EXPECT_EQ(g().MyFame, c.fameAfter) << c.what;
    EXPECT_EQ(g().FireDay[1], IncidentSettled) << c.what;
}

#define FIRE_LINE(cost) "イザベラ：「12日に火災が発生しました。費用として" cost "カリム掛かりました。徴収は銀行にて」だって。最悪～！"

INSTANTIATE_TEST_SUITE_P(
    Rules, FireNews,
    ::testing::Values(
        FireCase{"put out", IncidentPrevented, true, 100, 0, 90,
                 "イザベラ：「12日に火災が発生しましたが、無事消火しました」だって。火災検知に入っといて良かった～", 0, 90},
        FireCase{"own shop below 300", IncidentHappened, true, 299, 50000, 100, FIRE_LINE("20,000"), 30000, 80},
        FireCase{"own shop of 599", IncidentHappened, true, 599, 40000, 100, FIRE_LINE("40,000"), 0, 80},
        FireCase{"own shop of 600", IncidentHappened, true, 600, 100000, 100, FIRE_LINE("60,000"), 40000, 80},
        FireCase{"own shop below 1200", IncidentHappened, true, 1199, 100000, 100, FIRE_LINE("80,000"), 20000, 80},
        FireCase{"own shop of 1200 and more", IncidentHappened, true, 1500, 10000, 99, FIRE_LINE("100,000"), -90000,
                 66},
        FireCase{"the rented shop", IncidentHappened, false, 1500, 10000, 100, FIRE_LINE("10,000"), 0, 80},
        FireCase{"the rented shop, short", IncidentHappened, false, 100, 9999, 100, FIRE_LINE("10,000"), -1, 67},
        FireCase{"the debt stops at its floor", IncidentHappened, false, 100, -9995000, 100, FIRE_LINE("10,000"),
                 -9999999, 67}),
    q::test::NameBy(&FireCase::what));

TEST_F(ClockTest, NothingIsScheduledWhileAnIncidentWaitsToBeTold) {
    NoDraws();
    for (Long waiting : {IncidentPrevented, IncidentHappened}) {
        g().RobberyDay = {5, IncidentSettled};
        g().FireDay = {8, waiting};
        ShopIncident(g(), 0);
        EXPECT_EQ(g().RobberyDay, (std::array<Long, 2>{5, IncidentSettled}));
    }
    g().FireDay = {8, IncidentSettled};
    Draws({Pick(0, 2), Pick(29, 30)});
    ShopIncident(g(), 0);
    EXPECT_EQ(g().RobberyDay, (std::array<Long, 2>{30, IncidentScheduled}));
    EXPECT_EQ(g().FireDay, (std::array<Long, 2>{8, IncidentSettled}));
}

}  // namespace
}  // namespace q
