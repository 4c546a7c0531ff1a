#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/World.h"
#include "data/Tables.h"

namespace q {
namespace {

using test::Pick;
using test::RulesTest;

class WorldTest : public RulesTest {};

struct PlaceCase {
    const char* field;
    const char* place;
    const char* savedPlace;
    Long floor;
    const char* name;
};

class PlaceNames : public WorldTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceNames, AreaAndPlace) {
    const PlaceCase& c = GetParam();
    g().FieldName = c.field;
    g().EventField = c.place;
    g().SavedEventField = c.savedPlace;
    g().NowFloor = c.floor;
    NoDraws();
    EXPECT_EQ(PlaceName(g()), c.name);
}

INSTANTIATE_TEST_SUITE_P(Rules, PlaceNames,
                         ::testing::Values(PlaceCase{"Hanoda", "Shop", "", 0, "ハノダ－夢追い堂"},
                                           PlaceCase{"Shinen", "In", "", 120, "深淵窟－地下120階"},
                                           PlaceCase{"Tou", "In", "", 5, "ネクザスの塔－5階"},
                                           PlaceCase{"HanoMori", "", "", 0, "ハノダ－レインウッド"},
                                           PlaceCase{"ElfMugen", "", "", 3, "無限回廊"},
                                           PlaceCase{"Elwind", "", "Umi", 0, "エルウインド－潤沢湖"},
                                           PlaceCase{"Elwind", "Umi", "", 0, "エルウインド－潤沢湖"},
                                           PlaceCase{"Amulet", "Siro", "", 0, "アミュレット城－城内"},
                                           PlaceCase{"Rein", "Smith", "", 0, "レインウッド－鍛冶屋"},
                                           PlaceCase{"Amulet", "Kaihatsu", "", 0, "アミュレット城"},
                                           PlaceCase{"Shinen", "Warp", "", 0, "深淵窟"},
                                           PlaceCase{"Nowhere", "Board", "", 0, "－掲示板前"},
                                           PlaceCase{"hanoda", "shop", "", 0, ""}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.field, c.place, c.savedPlace, "Floor", c.floor); }));

struct CustomerCase {
    Long fame;
    std::vector<double> draws;
    Integer result;
};

class Customers : public WorldTest, public ::testing::WithParamInterface<CustomerCase> {};

TEST_P(Customers, ComeByFame) {
    const CustomerCase& c = GetParam();
    for (double u : c.draws) g().rng.Queue(u);
    NoDraws();
    EXPECT_EQ(CustomerComes(g(), c.fame), c.result) << "fame " << c.fame;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Customers,
    ::testing::Values(CustomerCase{9999, {Pick(7002, 10000)}, 1}, CustomerCase{9999, {Pick(7001, 10000)}, 2},
                      CustomerCase{9000, {Pick(7251, 10000)}, 1}, CustomerCase{9000, {Pick(7250, 10000)}, 2},
                      CustomerCase{8999, {Pick(1, 3)}, 2}, CustomerCase{4000, {Pick(2, 3)}, 2},
                      CustomerCase{4000, {Pick(0, 3), Pick(8501, 10000)}, 1},
                      CustomerCase{3999, {Pick(0, 4), Pick(8501, 10000)}, 2},
                      CustomerCase{3999, {Pick(0, 4), Pick(8502, 10000)}, 1},
                      CustomerCase{3999, {Pick(3, 4)}, 2}, CustomerCase{100, {Pick(1, 4)}, 2},
                      CustomerCase{100, {Pick(0, 4), Pick(9476, 10000)}, 1},
                      CustomerCase{100, {Pick(0, 4), Pick(9475, 10000)}, 2}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name("Fame", c.fame, "Draw", c.draws.empty() ? -1.0 : c.draws[0]); }));

struct MonsterRangeCase {
    const char* field;
    Long warasibe;
    Long min, max;
};

class MonsterRanges : public WorldTest, public ::testing::WithParamInterface<MonsterRangeCase> {};

TEST_P(MonsterRanges, ByArea) {
    const MonsterRangeCase& c = GetParam();
    g().FieldName = c.field;
    g().Warasibe = c.warasibe;
    g().AreaEnemyMin = 77;
    g().AreaEnemyMax = 78;
    SetMonsterRange(g());
    EXPECT_EQ(g().AreaEnemyMin, c.min) << c.field;
    EXPECT_EQ(g().AreaEnemyMax, c.max) << c.field;
}

INSTANTIATE_TEST_SUITE_P(Rules, MonsterRanges,
                         ::testing::Values(MonsterRangeCase{"HanoMori", 0, 0, 13}, MonsterRangeCase{"MoriElf", 0, 14, 20},
                                           MonsterRangeCase{"ElfAna", 0, 21, 34}, MonsterRangeCase{"Shinen", 11, 35, 41},
                                           MonsterRangeCase{"Shinen", 12, 70, 88}, MonsterRangeCase{"HanoSiro", 0, 42, 55},
                                           MonsterRangeCase{"SiroTou", 0, 56, 62}, MonsterRangeCase{"Tou", 0, 63, 69},
                                           MonsterRangeCase{"ElfMugen", 0, 89, 99},
                                           MonsterRangeCase{"Hanoda", 0, 77, 78}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.field, "Warasibe", c.warasibe); }));

struct RangeCase {
    const char* what;
    Long kind;
    const char* field;
    Long floor, warasibe;
    bool cleared;
    Long min, max, dealArm;  // each starts at 77, 78 and 77
};

class Ranges : public WorldTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(Ranges, ByKind) {
    const RangeCase& c = GetParam();
    g().FieldName = c.field;
    g().NowFloor = c.floor;
    g().Warasibe = c.warasibe;
    g().GameCleared = c.cleared;
    g().RangeMin = 77;
    g().RangeMax = 78;
    g().DealArm = 77;
    SetRange(g(), c.kind);
    EXPECT_EQ(g().RangeMin, c.min) << c.what;
    EXPECT_EQ(g().RangeMax, c.max) << c.what;
    EXPECT_EQ(g().DealArm, c.dealArm) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Ranges,
    ::testing::Values(
        RangeCase{"wanted arms, stage 0", 0, "", 0, 0, false, 77, 78, 53},
        RangeCase{"wanted arms, stage 2", 0, "", 0, 2, false, 77, 78, 53},
        RangeCase{"wanted arms, stage 3", 0, "", 0, 3, false, 77, 78, 90},
        RangeCase{"wanted arms, stage 5", 0, "", 0, 5, false, 77, 78, 149},
        RangeCase{"wanted arms, stage 6", 0, "", 0, 6, false, 77, 78, 200},
        RangeCase{"wanted arms, stage 9", 0, "", 0, 9, false, 77, 78, 255},
        RangeCase{"wanted arms, stage 10", 0, "", 0, 10, false, 77, 78, 289},
        RangeCase{"wanted arms, stage 11", 0, "", 0, 11, false, 77, 78, 332},
        RangeCase{"wanted arms, stage 12", 0, "", 0, 12, false, 77, 78, 458},
        RangeCase{"wanted arms, stage 13", 0, "", 0, 13, false, 77, 78, 458},
        RangeCase{"wanted arms, stage 14 keeps the bound", 0, "", 0, 14, false, 77, 78, 77},
        RangeCase{"arms of the first road", 1, "HanoMori", 0, 0, false, 0, 53, 77},
        RangeCase{"arms of the cave to floor 50", 1, "Shinen", 50, 0, false, 150, 200, 77},
        RangeCase{"arms of the cave below floor 50", 1, "Shinen", 51, 0, false, 333, 408, 77},
        RangeCase{"arms of the tower", 1, "Tou", 9, 0, false, 290, 332, 77},
        RangeCase{"arms of the corridor", 1, "ElfMugen", 0, 0, false, 0, 408, 77},
        RangeCase{"no arms lie in a town", 1, "Hanoda", 0, 0, false, 77, 78, 77},
        RangeCase{"jewels of Hanoda", 2, "Hanoda", 0, 0, false, 0, 20, 77},
        RangeCase{"jewels of Elwind", 2, "Elwind", 0, 0, false, 21, 55, 77},
        RangeCase{"jewels of Amulet", 2, "Amulet", 0, 0, false, 56, 69, 77},
        RangeCase{"jewels of Amulet after a clear", 2, "Amulet", 0, 0, true, 56, 97, 77},
        RangeCase{"monsters met, stage 2", 3, "", 0, 2, false, 0, 13, 77},
        RangeCase{"monsters met, stage 7", 3, "", 0, 7, false, 0, 55, 77},
        RangeCase{"monsters met, stage 12", 3, "", 0, 12, false, 0, 88, 77},
        RangeCase{"monsters met, stage 13 keeps the top", 3, "", 0, 13, false, 0, 78, 77},
        RangeCase{"monsters met after a clear", 3, "", 0, 4, true, 0, 99, 77},
        RangeCase{"any other kind is kind 3", 9, "", 0, 5, false, 0, 34, 77}),
    q::test::NameBy(&RangeCase::what));

struct FareCase {
    const char* from;
    const char* to;
    Long fee, time;
    const char* text;
};

class TownFares : public WorldTest, public ::testing::WithParamInterface<FareCase> {};

TEST_P(TownFares, SumTheRoadsOfTheRoute) {
    const FareCase& c = GetParam();
    g().AssistFee = 5;
    g().TravelTime = 5;
    g().TravelTimeText = "前";
    CartFare(g(), c.from, c.to, true);
    EXPECT_EQ(g().AssistFee, c.fee) << c.from << "-" << c.to;
    EXPECT_EQ(g().TravelTime, c.time) << c.from << "-" << c.to;
    EXPECT_EQ(g().TravelTimeText, c.text) << c.from << "-" << c.to;
}

INSTANTIATE_TEST_SUITE_P(Rules, TownFares,
                         ::testing::Values(FareCase{"Hanoda", "Rein", 2000, 100, "1日"},
                                           FareCase{"Hanoda", "Elwind", 4000, 150, "1日半"},
                                           FareCase{"Hanoda", "Shinen", 10000, 250, "2日半"},
                                           FareCase{"Hanoda", "Amulet", 8000, 100, "1日"},
                                           FareCase{"Hanoda", "Tou", 16000, 150, "1日半"},
                                           FareCase{"Elwind", "Hanoda", 4000, 150, "1日半"},
                                           FareCase{"Elwind", "Rein", 2000, 50, "半日"},
                                           FareCase{"Elwind", "Shinen", 6000, 100, "1日"},
                                           FareCase{"Elwind", "Amulet", 12000, 250, "2日半"},
                                           FareCase{"Elwind", "Tou", 20000, 300, "3日"},
                                           FareCase{"Amulet", "Hanoda", 8000, 100, "1日"},
                                           FareCase{"Amulet", "Rein", 10000, 200, "2日"},
                                           FareCase{"Amulet", "Elwind", 12000, 250, "2日半"},
                                           FareCase{"Amulet", "Shinen", 18000, 350, "3日半"},
                                           FareCase{"Amulet", "Tou", 8000, 50, "半日"},
                                           FareCase{"Rein", "Hanoda", 0, 0, ""},
                                           FareCase{"Hanoda", "Hanoda", 0, 0, ""}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.from, "To", c.to); }));

struct RoadFareCase {
    const char* road;
    Long length, pos;
    bool left;
    Long fee, time;
};

class RoadFares : public WorldTest, public ::testing::WithParamInterface<RoadFareCase> {};

TEST_P(RoadFares, ByThePositionsLeft) {
    const RoadFareCase& c = GetParam();
    g().RoadLength = c.length;
    g().RoadPos = c.pos;
    g().CartGoesLeft = c.left;
    g().TravelTimeText = "前";
    CartFare(g(), c.road, "Hanoda", false);
    EXPECT_EQ(g().AssistFee, c.fee) << c.road << " " << c.pos;
    EXPECT_EQ(g().TravelTime, c.time) << c.road << " " << c.pos;
    EXPECT_EQ(g().TravelTimeText, "");
}

INSTANTIATE_TEST_SUITE_P(Rules, RoadFares,
                         ::testing::Values(RoadFareCase{"ElfAna", 200, 37, true, 1110, 18},
                                           RoadFareCase{"ElfAna", 200, 37, false, 4890, 81},
                                           RoadFareCase{"HanoMori", 300, 100, true, 700, 50},
                                           RoadFareCase{"ElfMugen", 300, 299, false, 67, 0},
                                           RoadFareCase{"Hanoda", 300, 100, true, 0, 50},
                                           RoadFareCase{"HanoMori", 0, 0, true, 0, 0}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.road, "Pos", c.pos, Flag{c.left, "Left"}); }));

TEST_F(WorldTest, RoadFaresAddUp) {
    g().AssistFee = 100;
    g().TravelTime = 10;
    AddRoadFare(g(), "SiroTou");
    AddRoadFare(g(), "MoriElf");
    AddRoadFare(g(), "Tou");
    EXPECT_EQ(g().AssistFee, 10100);
    EXPECT_EQ(g().TravelTime, 110);
}

TEST_F(WorldTest, TownNames) {
    const std::pair<const char*, const char*> names[] = {{"Hanoda", "ハノダ"},       {"Rein", "レインウッド"},
                                                         {"Elwind", "エルウインド"}, {"Shinen", "深淵窟"},
                                                         {"Amulet", "アミュレット城"}, {"Tou", "ネクザスの塔"}};
    for (auto [key, name] : names) {
        TownName(g(), key);
        EXPECT_EQ(g().FareTown, name) << key;
    }
    TownName(g(), "HanoMori");
    EXPECT_EQ(g().FareTown, "ネクザスの塔") << "another key leaves the name";
}

struct FindCase {
    const char* what;
    const char* field;
    Long floor, warasibe;
    std::vector<double> draws;
    Long item;
};

class Finds : public WorldTest, public ::testing::WithParamInterface<FindCase> {};

TEST_P(Finds, ByTheirDraws) {
    const FindCase& c = GetParam();
    g().FieldName = c.field;
    g().NowFloor = c.floor;
    g().Warasibe = c.warasibe;
    for (double u : c.draws) g().rng.Queue(u);
    NoDraws();
    EXPECT_EQ(FieldFind(g()), c.item) << c.what;
}

// r, then the draws of its row.
std::vector<double> R(long r, std::vector<double> more = {}) {
    more.insert(more.begin(), Pick(r, 16));
    return more;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Finds,
    ::testing::Values(
        FindCase{"a leaf of the first road", "HanoMori", 0, 0, R(0, {Pick(0, 7)}), 15},
        FindCase{"a leaf of the cave", "Shinen", 50, 0, R(0, {Pick(0, 7)}), 18},
        FindCase{"a leaf of the deep cave", "Shinen", 51, 0, R(0, {Pick(0, 7)}), 22},
        FindCase{"a leaf of the tower", "Tou", 5, 0, R(0, {Pick(0, 7)}), 21},
        FindCase{"no leaf", "HanoMori", 0, 0, R(0, {Pick(6, 7)}), NoItemFound},
        FindCase{"odd row, d 4 finds nothing", "HanoMori", 0, 0, R(1, {Pick(4, 10)}), NoItemFound},
        FindCase{"odd row, e 0 on the first roads", "MoriElf", 0, 0, R(3, {Pick(1, 10), Pick(0, 7)}), 1},
        FindCase{"odd row, e 0 further on", "ElfAna", 0, 0, R(3, {Pick(1, 10), Pick(0, 7)}), 2},
        FindCase{"odd row, e 3 further on", "HanoSiro", 0, 0, R(7, {Pick(8, 10), Pick(3, 7)}), 25},
        FindCase{"odd row, e 5 in a dungeon", "Tou", 3, 0, R(7, {Pick(2, 10), Pick(5, 7)}), 36},
        FindCase{"odd row, e 5 on a road", "HanoSiro", 0, 0, R(7, {Pick(2, 10), Pick(5, 7)}), 34},
        FindCase{"odd row, e 6 in a dungeon", "Shinen", 3, 0, R(1, {Pick(2, 10), Pick(6, 7)}), 39},
        FindCase{"common row, d 0 finds nothing", "HanoMori", 0, 0, R(2, {Pick(0, 10)}), NoItemFound},
        FindCase{"f 0 early: no choice", "HanoMori", 0, 3, R(4, {Pick(5, 10), Pick(0, 45)}), 0},
        FindCase{"f 26 in the middle: one of two", "HanoMori", 0, 5, R(6, {Pick(5, 10), Pick(26, 45), Pick(1, 2)}), 1},
        FindCase{"f 0 late: one of three", "HanoMori", 0, 8, R(8, {Pick(5, 10), Pick(0, 45), Pick(2, 3)}), 2},
        FindCase{"f 3", "HanoMori", 0, 0, R(10, {Pick(5, 10), Pick(3, 45)}), 5},
        FindCase{"f 6 early", "HanoMori", 0, 3, R(12, {Pick(5, 10), Pick(6, 45), Pick(1, 2)}), 11},
        FindCase{"f 6 later", "HanoMori", 0, 4, R(12, {Pick(5, 10), Pick(6, 45), Pick(1, 3)}), 10},
        FindCase{"f 8 early", "HanoMori", 0, 2, R(14, {Pick(5, 10), Pick(8, 45), Pick(1, 2)}), 14},
        FindCase{"f 9 early: no choice", "HanoMori", 0, 3, R(14, {Pick(5, 10), Pick(9, 45)}), 23},
        FindCase{"f 9 in the middle", "HanoMori", 0, 6, R(14, {Pick(5, 10), Pick(9, 45), Pick(1, 2)}), 24},
        FindCase{"f 10 on a road", "HanoMori", 0, 0, R(2, {Pick(5, 10), Pick(10, 45)}), 29},
        FindCase{"f 10 in a dungeon", "Tou", 2, 0, R(2, {Pick(5, 10), Pick(10, 45)}), NoItemFound},
        FindCase{"f 11 on a road", "ElfAna", 0, 0, R(2, {Pick(5, 10), Pick(11, 45)}), 30},
        FindCase{"f 15", "ElfAna", 0, 0, R(2, {Pick(5, 10), Pick(15, 45)}), 34},
        FindCase{"f 16", "ElfAna", 0, 0, R(2, {Pick(5, 10), Pick(16, 45), Pick(1, 2)}), 38},
        FindCase{"f 17", "ElfAna", 0, 0, R(2, {Pick(5, 10), Pick(17, 45)}), 40},
        FindCase{"f 18 where wood grows", "MoriElf", 0, 0, R(2, {Pick(5, 10), Pick(18, 45)}), 26},
        FindCase{"f 44 in the cave", "Shinen", 8, 0, R(2, {Pick(5, 10), Pick(44, 45)}), 27},
        FindCase{"f 30 elsewhere", "ElfAna", 0, 0, R(2, {Pick(5, 10), Pick(30, 45)}), NoItemFound},
        FindCase{"r 5 finds nothing", "HanoMori", 0, 0, R(5), NoItemFound},
        FindCase{"r 15 finds nothing", "HanoMori", 0, 0, R(15), NoItemFound}),
    q::test::NameBy(&FindCase::what));

TEST_F(WorldTest, CollectedArms) {
    InitArmTable1(g());
    InitArmTable2(g());
    for (auto& arm : g().AllArms) arm.LArmsList = false;
    NoDraws();
    EXPECT_EQ(CollectedArmsCount(g(), true), 0);
    EXPECT_EQ(CollectedArmsCount(g(), false), 0);

    for (int i : {0, 1, 2}) g().AllArms[size_t(i)].LArmsList = true;
    EXPECT_EQ(CollectedArmsCount(g(), true), 3);
    EXPECT_EQ(CollectedArmsCount(g(), false), 0);

    for (auto& arm : g().AllArms) arm.LArmsList = true;
    EXPECT_EQ(CollectedArmsCount(g(), true), 500);
    EXPECT_EQ(CollectedArmsCount(g(), false), 500);

    g().AllArms[499].LArmsList = false;
    EXPECT_EQ(CollectedArmsCount(g(), true), 499);
    EXPECT_EQ(CollectedArmsCount(g(), false), 0);
}

struct ElapsedCase {
    Long year, month, day;
    const char* text;
    Long years;
};

class Elapsed : public WorldTest, public ::testing::WithParamInterface<ElapsedCase> {};

TEST_P(Elapsed, WholeMonthsSinceTheFirstDay) {
    const ElapsedCase& c = GetParam();
    g().NowYear = c.year;
    g().NowMonth = c.month;
    g().NowDay = c.day;
    EXPECT_EQ(ElapsedTimeText(g()), c.text);
    EXPECT_EQ(g().ElapsedYears, c.years);
}

INSTANTIATE_TEST_SUITE_P(Rules, Elapsed,
                         ::testing::Values(ElapsedCase{3050, 4, 1, "0年0ヵ月", 0}, ElapsedCase{3050, 4, 29, "0年0ヵ月", 0},
                                           ElapsedCase{3051, 3, 29, "0年11ヵ月", 0}, ElapsedCase{3051, 4, 1, "1年0ヵ月", 1},
                                           ElapsedCase{3052, 7, 1, "2年3ヵ月", 2}, ElapsedCase{3052, 2, 29, "1年10ヵ月", 1},
                                           ElapsedCase{3060, 12, 5, "10年8ヵ月", 10}),
    q::test::NameBy([](const auto& c) { using namespace q::test; return Name(c.year, c.month, c.day); }));

}  // namespace
}  // namespace q
