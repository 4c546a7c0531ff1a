#include <gtest/gtest.h>

#include <vector>

#include "CaseName.h"
#include "RulesFixture.h"
#include "core/Inventory.h"
#include "data/Tables.h"

namespace q {
namespace {

using test::RulesTest;

struct Piece {
    Long no;
    Long num;
    bool gyoku = false;
    bool operator==(const Piece&) const = default;
};

class InventoryTest : public RulesTest {
protected:
    InventoryTest() {
        InitArmTable1(g());
        InitArmTable2(g());
    }
    void SetSack(std::vector<Piece> items, Long max = 10) {
        g().NowMaxSack = max;
        g().HaveSack = Long(items.size());
        for (size_t i = 0; i < items.size(); ++i)
            g().MySack[i] = {items[i].no, items[i].num, items[i].gyoku};
    }
    std::vector<Piece> Sack() {
        std::vector<Piece> out;
        for (Long i = 0; i < g().HaveSack; ++i) {
            const SackEntry& e = g().MySack[size_t(i)];
            out.push_back({e.HHaveSackNo, e.HHaveSackNum, e.HHaveGyoku});
        }
        return out;
    }
    void SetBag(std::vector<Piece> arms, Long max) {
        g().NowMaxBag = max;
        g().HaveBag = Long(arms.size());
        g().HaveBagNum = 0;
        for (size_t i = 0; i < arms.size(); ++i) {
            g().MyBag[i] = {arms[i].no, arms[i].num};
            g().HaveBagNum += arms[i].num;
        }
    }
    std::vector<Piece> Bag() {
        std::vector<Piece> out;
        for (Long i = 0; i < g().HaveBag; ++i) out.push_back({g().MyBag[size_t(i)].HHaveBagNo, g().MyBag[size_t(i)].HHaveBagNum});
        return out;
    }
    void SetDisplay(std::vector<Piece> arms, Long max) {
        g().NowMaxShop = max;
        g().HaveShop = Long(arms.size());
        g().HaveShopNum = 0;
        for (size_t i = 0; i < arms.size(); ++i) {
            g().MyShopArms[i] = {arms[i].no, arms[i].num};
            g().HaveShopNum += arms[i].num;
        }
    }
    std::vector<Piece> Display() {
        std::vector<Piece> out;
        for (Long i = 0; i < g().HaveShop; ++i)
            out.push_back({g().MyShopArms[size_t(i)].SShopArmsNo, g().MyShopArms[size_t(i)].SShopArmsNum});
        return out;
    }
};

// --- The sack ---

struct SackAddCase {
    const char* what;
    std::vector<Piece> before;
    Long max;
    Piece add;
    std::vector<Piece> after;
    bool added;
};

class SackAdditions : public InventoryTest, public ::testing::WithParamInterface<SackAddCase> {};

TEST_P(SackAdditions, KeepNineAKindAndTheKindsWithinTheSackAndSaySo) {
    const SackAddCase& c = GetParam();
    SetSack(c.before, c.max);
    EXPECT_EQ(SackFits(g(), c.add.no, c.add.num, c.add.gyoku), c.added) << c.what;
    EXPECT_EQ(SackChange(g(), c.add.no, 0, false, c.add.num, c.add.gyoku), c.added) << c.what;
    EXPECT_EQ(Sack(), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SackAdditions,
    ::testing::Values(
        SackAddCase{"two more to seven make nine", {{5, 7}}, 10, {5, 2}, {{5, 9}}, true},
        SackAddCase{"what would pass nine is not added at all", {{5, 7}}, 10, {5, 3}, {{5, 7}}, false},
        SackAddCase{"an entry of eight takes one more", {{5, 8}}, 10, {5, 1}, {{5, 9}}, true},
        SackAddCase{"an entry of nine takes no more", {{5, 9}}, 10, {5, 1}, {{5, 9}}, false},
        SackAddCase{"a new kind takes the count passed", {{5, 2}}, 10, {6, 3}, {{5, 2}, {6, 3}}, true},
        SackAddCase{"a new kind of more than nine is refused", {{5, 2}}, 10, {6, 10}, {{5, 2}}, false},
        SackAddCase{"nothing is no addition", {{5, 2}}, 10, {6, 0}, {{5, 2}}, false},
        SackAddCase{"item 3 and jewel 3 are two entries", {{3, 1}}, 10, {3, 2, true}, {{3, 1}, {3, 2, true}}, true},
        SackAddCase{"a jewel adds to its own entry", {{3, 1}, {3, 2, true}}, 10, {3, 1, true}, {{3, 1}, {3, 3, true}}, true},
        SackAddCase{"a full sack refuses a new kind", {{1, 1}, {2, 1}}, 2, {3, 1}, {{1, 1}, {2, 1}}, false},
        SackAddCase{"a full sack still takes more of a kind it holds", {{1, 1}, {2, 1}}, 2, {2, 5}, {{1, 1}, {2, 6}}, true},
        SackAddCase{"a sack over its capacity refuses a new kind", {{1, 1}, {2, 1}, {4, 1}}, 2, {3, 1}, {{1, 1}, {2, 1}, {4, 1}}, false}),
    q::test::NameBy(&SackAddCase::what));

TEST_F(InventoryTest, TheSackNeverWritesPastItsLastEntry) {
    std::vector<Piece> full;
    for (Long i = 0; i < 51; ++i) full.push_back({i % 43, 1, i >= 43});
    SetSack(full, 60);
    EXPECT_FALSE(SackChange(g(), 42, 0, false, 1, true));
    EXPECT_EQ(g().HaveSack, 51);
}

struct SackCheckCase {
    const char* what;
    std::vector<Piece> before;
    Long item;
    Long num;
    bool gyoku;
    bool take;
    bool result;
    Long workIndex;  // WorkIndex afterwards (it starts at 77)
    std::vector<Piece> after;
};

class SackChecks : public InventoryTest, public ::testing::WithParamInterface<SackCheckCase> {};

TEST_P(SackChecks, FindTellAndTake) {
    const SackCheckCase& c = GetParam();
    SetSack(c.before);
    g().WorkIndex = 77;
    EXPECT_EQ(SackCheck(g(), c.item, c.num, c.gyoku, c.take), c.result) << c.what;
    EXPECT_EQ(g().WorkIndex, c.workIndex) << c.what;
    EXPECT_EQ(Sack(), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SackChecks,
    ::testing::Values(
        SackCheckCase{"an empty sack finds nothing", {}, 8, 1, false, false, false, 77, {}},
        SackCheckCase{"jewel 3 never finds item 3", {{3, 4}}, 3, 1, true, false, false, 77, {{3, 4}}},
        SackCheckCase{"found with enough: its index", {{1, 1}, {8, 2}}, 8, 2, false, false, true, 1, {{1, 1}, {8, 2}}},
        SackCheckCase{"found with too few: False, but its index", {{1, 1}, {8, 2}}, 8, 3, false, false, false, 1, {{1, 1}, {8, 2}}},
        SackCheckCase{"a take of part of an entry", {{8, 3}, {1, 1}}, 8, 2, false, true, true, 77, {{8, 1}, {1, 1}}},
        SackCheckCase{"a take of a whole entry removes it", {{8, 2}, {1, 1}}, 8, 2, false, true, true, 77, {{1, 1}}},
        SackCheckCase{"a take of more than the entry holds takes nothing", {{8, 2}, {1, 1}}, 8, 5, false, true, false, 77, {{8, 2}, {1, 1}}}),
    q::test::NameBy(&SackCheckCase::what));

TEST_F(InventoryTest, SackRemovalsKeepTheOrderOfTheRest) {
    SetSack({{1, 3}, {2, 4}, {3, 5}});
    EXPECT_TRUE(SackChange(g(), 0, 1, true, 4, false));
    EXPECT_EQ(Sack(), (std::vector<Piece>{{1, 3}, {3, 5}}));
    EXPECT_TRUE(SackChange(g(), 0, 1, true, 2, false));
    EXPECT_EQ(Sack(), (std::vector<Piece>{{1, 3}, {3, 3}}));
    EXPECT_TRUE(SackChange(g(), 0, 0, true, 9, false));  // more than it holds: the entry goes
    EXPECT_EQ(Sack(), (std::vector<Piece>{{3, 3}}));
}

TEST_F(InventoryTest, ASackRemovalAtNoEntryIsReportedAndChangesNothing) {
    SetSack({{1, 3}, {2, 4}});
    EXPECT_FALSE(SackChange(g(), 0, 2, true, 1, false));
    EXPECT_FALSE(SackChange(g(), 0, -1, true, 1, false));
    EXPECT_EQ(Sack(), (std::vector<Piece>{{1, 3}, {2, 4}}));
    const std::string seen = transcript.str();
    EXPECT_NE(seen.find("下記の内容をメールでご報告ください。\n\n[ Itemエラー番号 : 9 ]"), std::string::npos) << seen;
}

// --- The arms containers ---

TEST_F(InventoryTest, AFullBagRefusesANewArmButTakesMoreOfOneItHolds) {
    SetBag({{10, 3}, {11, 2}}, 5);
    EXPECT_FALSE(BagFits(g(), 12, 1));
    EXPECT_FALSE(BagChange(g(), 12, 0, false, 1));
    EXPECT_EQ(Bag(), (std::vector<Piece>{{10, 3}, {11, 2}}));
    EXPECT_EQ(g().HaveBagNum, 5);
    EXPECT_FALSE(g().AllArms[12].LArmsList);

    EXPECT_TRUE(BagFits(g(), 11, 4));
    EXPECT_TRUE(BagChange(g(), 11, 0, false, 4));
    EXPECT_EQ(Bag(), (std::vector<Piece>{{10, 3}, {11, 6}}));
    EXPECT_EQ(g().HaveBagNum, 9);  // over the capacity: the callers keep the room

    EXPECT_FALSE(BagChange(g(), 12, 0, false, 1));  // above the capacity: still refused
    EXPECT_EQ(g().HaveBag, 2);
}

TEST_F(InventoryTest, ANewArmBelowTheCapacityIsTakenWhole) {
    SetBag({{10, 3}}, 5);
    EXPECT_TRUE(BagChange(g(), 20, 0, false, 4));
    EXPECT_EQ(Bag(), (std::vector<Piece>{{10, 3}, {20, 4}}));
    EXPECT_EQ(g().HaveBagNum, 7);
}

struct FullCase {
    const char* what;
    Long total;     // pieces held in one entry of arm 30
    Long capacity;
    Long arm;       // the arm added
    bool storyNo5;
    Long totalAfter;
};

class FullDisplay : public InventoryTest, public ::testing::WithParamInterface<FullCase> {};

TEST_P(FullDisplay, ANewArmThatFindsNoRoomAsksStepFive) {
    const FullCase& c = GetParam();
    for (bool warehouse : {false, true}) {
        g().StoryNo = 3;
        if (warehouse) {
            g().NowMaxStock = c.capacity;
            g().HaveStock = 1;
            g().HaveStockNum = c.total;
            g().MyStockArms[0] = {30, c.total};
            EXPECT_EQ(StockArmsChange(g(), c.arm, 0, false, 1), !c.storyNo5) << c.what;
            EXPECT_EQ(g().HaveStockNum, c.totalAfter) << c.what << " (warehouse)";
        } else {
            SetDisplay({{30, c.total}}, c.capacity);
            EXPECT_EQ(ShopArmsChange(g(), c.arm, 0, false, 1), !c.storyNo5) << c.what;
            EXPECT_EQ(g().HaveShopNum, c.totalAfter) << c.what << " (display)";
        }
        EXPECT_EQ(g().StoryNo, c.storyNo5 ? 5 : 3) << c.what << (warehouse ? " (warehouse)" : " (display)");
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, FullDisplay,
                         ::testing::Values(FullCase{"full: a new arm is refused", 20, 20, 31, true, 20},
                                           FullCase{"full: more of a held arm is added", 20, 20, 30, false, 21},
                                           FullCase{"over full: a new arm is refused", 25, 20, 31, true, 25},
                                           FullCase{"room left: a new arm is added", 19, 20, 31, false, 20}),
    q::test::NameBy(&FullCase::what));

TEST_F(InventoryTest, ListingANewArm) {
    // Arm 5 is an ordinary arm, 459 a special one.
    ASSERT_FALSE(g().AllArms[5].Special);
    ASSERT_TRUE(g().AllArms[459].Special);
    ASSERT_FALSE(g().AllArms[5].LArmsList);
    ASSERT_FALSE(g().AllArms[459].LArmsList);

    SetBag({}, 10);
    ASSERT_TRUE(BagChange(g(), 5, 0, false, 1));
    ASSERT_TRUE(BagChange(g(), 459, 0, false, 1));
    EXPECT_FALSE(g().AllArms[5].LArmsList) << "an ordinary arm in the bag";
    EXPECT_TRUE(g().AllArms[459].LArmsList) << "a special arm in the bag";

    SetDisplay({}, 10);
    ASSERT_TRUE(ShopArmsChange(g(), 5, 0, false, 1));
    EXPECT_TRUE(g().AllArms[5].LArmsList) << "on display";

    g().NowMaxStock = 10;
    ASSERT_TRUE(StockArmsChange(g(), 6, 0, false, 1));
    EXPECT_TRUE(g().AllArms[6].LArmsList) << "in the warehouse";

    // A full display lists nothing.
    SetDisplay({{5, 10}}, 10);
    EXPECT_FALSE(ShopArmsChange(g(), 7, 0, false, 1));
    EXPECT_FALSE(g().AllArms[7].LArmsList);
}

TEST_F(InventoryTest, ArmsRemovalsLowerTheTotalByWhatTheyTook) {
    SetDisplay({{1, 2}, {2, 5}, {3, 1}}, 20);
    EXPECT_TRUE(ShopArmsChange(g(), 0, 1, true, 5));
    EXPECT_EQ(Display(), (std::vector<Piece>{{1, 2}, {3, 1}}));
    EXPECT_EQ(g().HaveShopNum, 3);

    EXPECT_TRUE(ShopArmsChange(g(), 0, 0, true, 1));
    EXPECT_EQ(Display(), (std::vector<Piece>{{1, 1}, {3, 1}}));
    EXPECT_EQ(g().HaveShopNum, 2);

    EXPECT_TRUE(ShopArmsChange(g(), 0, 1, true, 4));  // more than the entry holds
    EXPECT_EQ(Display(), (std::vector<Piece>{{1, 1}}));
    EXPECT_EQ(g().HaveShopNum, 1);

    EXPECT_FALSE(ShopArmsChange(g(), 0, 3, true, 1));  // no entry there
    EXPECT_EQ(Display(), (std::vector<Piece>{{1, 1}}));
    EXPECT_EQ(g().HaveShopNum, 1);
}

struct TakeCase {
    const char* what;
    Long arm;
    Long num;
    bool result;
    std::vector<Piece> after;
};

class Takes : public InventoryTest, public ::testing::WithParamInterface<TakeCase> {};

TEST_P(Takes, DisplayAndBagTakeOnlyWhatTheyHold) {
    const TakeCase& c = GetParam();
    SetDisplay({{40, 1}, {41, 3}}, 20);
    SetBag({{40, 1}, {41, 3}}, 20);
    const Long total = 4;
    Long took = c.result ? c.num : 0;

    EXPECT_EQ(ShopArmsTake(g(), c.arm, c.num), c.result) << c.what;
    EXPECT_EQ(Display(), c.after) << c.what;
    EXPECT_EQ(g().HaveShopNum, total - took) << c.what;

    EXPECT_EQ(BagCheck(g(), c.arm, c.num, true), c.result) << c.what;
    EXPECT_EQ(Bag(), c.after) << c.what;
    EXPECT_EQ(g().HaveBagNum, total - took) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Rules, Takes,
                         ::testing::Values(TakeCase{"not there", 42, 1, false, {{40, 1}, {41, 3}}},
                                           TakeCase{"part of an entry", 41, 2, true, {{40, 1}, {41, 1}}},
                                           TakeCase{"a whole entry", 40, 1, true, {{41, 3}}},
                                           TakeCase{"more than it holds", 41, 4, false, {{40, 1}, {41, 3}}}),
    q::test::NameBy(&TakeCase::what));

TEST_F(InventoryTest, BagCheckWithoutTakeOnlyTells) {
    SetBag({{40, 2}}, 20);
    EXPECT_TRUE(BagCheck(g(), 40, 2, false));
    EXPECT_FALSE(BagCheck(g(), 40, 3, false));
    EXPECT_EQ(Bag(), (std::vector<Piece>{{40, 2}}));
}

TEST_F(InventoryTest, ACountPastTheListsEndIsNeverFollowed) {
    SetBag({{1, 1}, {2, 1}}, 1000);
    g().HaveBag = 400;
    EXPECT_TRUE(BagChange(g(), 0, 0, true, 1));
    EXPECT_EQ(g().HaveBag, 150);
    EXPECT_EQ(g().MyBag[0].HHaveBagNo, 2);

    SetSack({{1, 1}, {2, 1}});
    g().HaveSack = 90;
    EXPECT_TRUE(SackChange(g(), 0, 0, true, 1, false));
    EXPECT_EQ(g().HaveSack, 50);
    EXPECT_EQ(g().MySack[0].HHaveSackNo, 2);
}

TEST_F(InventoryTest, NoArmsListGrowsPastItsEnd) {
    std::vector<Piece> arms;
    for (Long i = 0; i < 151; ++i) arms.push_back({i, 1});
    SetBag(arms, 1000);
    EXPECT_FALSE(BagChange(g(), 200, 0, false, 1));
    EXPECT_EQ(g().HaveBag, 151);
    EXPECT_EQ(g().HaveBagNum, 151);
}

}  // namespace
}  // namespace q
