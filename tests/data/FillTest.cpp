// The fillers: each writes every field of every row it owns, whatever the
// tables held before, and leaves everything else alone.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "DataFixture.h"

namespace q::test {
namespace {

// Overwrites every field of every table with values no fill would store.
void Scramble(DataTables& t) {
    for (auto& r : t.AllArms) r = {-7, "?", "?", -7, -7, -7, -7, true, true};
    for (auto& r : t.AllItem) r = {-7, "?", "?", -7, -7, -7, -7, -7, -7, -7, -7, -7};
    for (auto& r : t.AllKey) r = {-7, "?", "?", true};
    for (auto& r : t.AllGyoku) r = {-7, "?", "?", true};
    for (auto& r : t.AllMonster)
        r = {-7, -7, "?", "?", -7, -7, -7, -7, "?", -7, -7, -7, -7, -7, -7, -7, -7, -7, -7, -7, -7};
    for (auto& r : t.ShopSellItem) r.Goods.fill(-7);
    for (auto& r : t.ShopSellHouse) r = {"?", -7, "?", -7};
    for (auto& r : t.SmithSell) {
        r = {-7, -7, -7, -7, {}, true};
        r.Needs.fill(-7);
    }
    for (auto& r : t.CarpenSell) r = {"?", -7, -7, "?", true, -7};
    t.TreasureTable.fill(-7);
}

template <class Table>
void ExpectRows(const Table& got, const Table& want, int first, int last, const char* what) {
    for (int i = first; i <= last; ++i) EXPECT_TRUE(got[i] == want[i]) << what << " row " << i;
}

class Fill : public GameTest {};

TEST_F(Fill, EveryFillerRewritesEveryRowWhateverTheTablesHeld) {
    FillAllTables(g());
    const DataTables fresh = g();

    Scramble(g());
    FillAllTables(g());

    ExpectRows(g().AllArms, fresh.AllArms, 0, ArmCount - 1, "AllArms");
    ExpectRows(g().AllItem, fresh.AllItem, 0, ItemCount - 1, "AllItem");
    ExpectRows(g().AllKey, fresh.AllKey, 0, KeyItemCount - 1, "AllKey");
    ExpectRows(g().AllGyoku, fresh.AllGyoku, 0, MonsterCount - 1, "AllGyoku");
    ExpectRows(g().AllMonster, fresh.AllMonster, 0, MonsterCount - 1, "AllMonster");
    ExpectRows(g().ShopSellHouse, fresh.ShopSellHouse, 0, HouseOfferCount - 1, "ShopSellHouse");
    ExpectRows(g().SmithSell, fresh.SmithSell, 0, RecipeCount - 1, "SmithSell");
    ExpectRows(g().CarpenSell, fresh.CarpenSell, 0, CarpenterWorkCount - 1, "CarpenSell");
    ExpectRows(g().TreasureTable, fresh.TreasureTable, 0, TreasureCount - 1, "TreasureTable");
    for (int s = 0; s < ItemShopCount; ++s) {
        const auto& goods = g().ShopSellItem[s].Goods;
        // Element 0 and the goods are written, nothing beyond.
        for (int k = 0; k < fresh.ShopSellItem[s].Goods[0]; ++k)
            EXPECT_EQ(goods[k], fresh.ShopSellItem[s].Goods[k]) << "shop " << s << " element " << k;
        for (int k = fresh.ShopSellItem[s].Goods[0]; k < 30; ++k)
            EXPECT_EQ(goods[k], -7) << "shop " << s << " element " << k;
    }
}

TEST_F(Fill, TheFirstArmsFillerStopsAtRow199AndTheSecondTakesTheRest) {
    FillAllTables(g());
    const DataTables fresh = g();
    Scramble(g());

    InitArmTable1(g());
    ExpectRows(g().AllArms, fresh.AllArms, 0, 199, "after the first filler, arm");
    EXPECT_EQ(g().AllArms[200].No, -7);
    EXPECT_EQ(g().AllArms[499].No, -7);

    InitArmTable2(g());
    ExpectRows(g().AllArms, fresh.AllArms, 200, ArmCount - 1, "after the second filler, arm");
}

TEST_F(Fill, StateFieldsStartCleared) {
    FillAllTables(g());
    for (int i = 0; i < ArmCount; ++i) {
        EXPECT_EQ(g().AllArms[i].LArmsSetPrice, 0) << i;
        EXPECT_EQ(g().AllArms[i].LArmsList, i <= 2) << i;
    }
    for (const auto& k : g().AllKey) EXPECT_FALSE(k.LKeyList) << k.No;
    for (const auto& j : g().AllGyoku) EXPECT_FALSE(j.LGyokuList) << j.No;
    for (const auto& r : g().SmithSell) EXPECT_FALSE(r.SLSmithRecipe) << r.RecipeNo;
    for (const auto& w : g().CarpenSell) EXPECT_FALSE(w.SLCarpenOk) << w.Name;
    EXPECT_EQ(g().ShopSellHouse[9].SLHousePrice, 1000);
    // Elements past a shop's last good were never written.
    EXPECT_EQ(g().ShopSellItem[0].Goods[19], 0);
    EXPECT_EQ(g().ShopSellItem[1].Goods[29], 0);
}

TEST_F(Fill, FacilityFillerEmptiesTheWoodStock) {
    g().vars.set(g(), "WoodNum", Value(37LL));
    InitFacilityTables(g());
    EXPECT_EQ(std::get<long long>(g().vars.get(g(), "WoodNum")), 0);
}

// The simulator reaches every table by the names the game uses.
struct Named {
    const char* name;
    Value value;    // after a fill
    Value written;  // written and read back
};

class NamedFields : public FilledTables, public ::testing::WithParamInterface<Named> {};

TEST_P(NamedFields, ReadAndWriteByName) {
    const Named& c = GetParam();
    EXPECT_EQ(FormatValue(g().vars.get(g(), c.name)), FormatValue(c.value));
    g().vars.set(g(), c.name, c.written);
    EXPECT_EQ(FormatValue(g().vars.get(g(), c.name)), FormatValue(c.written));
}

std::string TestName(const ::testing::TestParamInfo<Named>& info) {
    std::string out;
    for (const char* p = info.param.name; *p; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) out += *p;
        else if (out.empty() || out.back() != '_') out += '_';
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out;
}

const Value True(-1LL), False(0LL);

INSTANTIATE_TEST_SUITE_P(
    Data, NamedFields,
    ::testing::Values(Named{"AllArms(499).BasePrice", 2400000LL, 12LL}, Named{"AllArms(2).LArmsList", True, False},
                      Named{"AllArms(3).LArmsList", False, True}, Named{"AllItem(42).Kind", 29LL, 12LL},
                      Named{"AllKey(20).LKeyList", False, True},
                      Named{"AllGyoku(91).Name", std::string("ミイラ男？の玉"), std::string("玉")},
                      Named{"AllMonster(14).At", 36LL, 12LL}, Named{"AllMonster(99).Gold", 444444LL, 12LL},
                      Named{"ShopSellItem(2).Goods(10)", 8LL, 12LL},
                      Named{"ShopSellHouse(9).SLHousePrice", 1000LL, 1300LL},
                      Named{"SmithSell(0).Needs(1)", 71LL, 12LL}, Named{"SmithSell(14).Needs(11)", 446LL, 12LL},
                      Named{"SmithSell(9).SLSmithRecipe", False, True}, Named{"CarpenSell(0).SLCarpenOk", False, True},
                      Named{"TreasureTable(19)", 471LL, 12LL}),
    TestName);

TEST_F(FilledTables, NamesOutsideATableAreRefused) {
    EXPECT_THROW(g().vars.get(g(), "AllArms(500).BasePrice"), VarError);
    EXPECT_THROW(g().vars.get(g(), "AllMonster(-1).Hp"), VarError);
    EXPECT_THROW(g().vars.get(g(), "ShopSellItem(0).Goods(30)"), VarError);
}

TEST_F(Fill, FillersAreProceduresOfTheSimulator) {
    for (const char* name : {"InitArmTable1", "InitArmTable2", "InitItemTable", "InitKeyItemTable", "InitJewelTable",
                             "InitMonsterTable", "InitFacilityTables", "InitTreasureTable"})
        g().procs.call(g(), name, {});
    EXPECT_EQ(g().AllArms[499].Name, "黄道の剣");
    EXPECT_EQ(g().AllItem[37].Name, "時のニ針");
    EXPECT_EQ(g().AllKey[20].Name, "コンプリートカード");
    EXPECT_EQ(g().AllGyoku[99].Name, "魔族ジークの玉");
    EXPECT_EQ(g().AllMonster[99].Name, "魔族ジーク");
    EXPECT_EQ(g().SmithSell[14].Arm, 499);
    EXPECT_EQ(g().TreasureTable[0], 1);
}

}  // namespace
}  // namespace q::test
