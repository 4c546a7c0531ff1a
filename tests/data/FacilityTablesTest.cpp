// What the facilities sell, checked against the tables it refers to.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "DataFixture.h"

namespace q::test {
namespace {

class FacilityTables : public FilledTables {
protected:
    std::vector<Long> Goods(int shop) {
        const auto& list = g().ShopSellItem[shop].Goods;
        return std::vector<Long>(list.begin() + 1, list.begin() + list[0]);
    }
};

TEST_F(FacilityTables, ItemShopsListTheirGoodsInOrder) {
    EXPECT_EQ(Goods(0), (std::vector<Long>{0, 3, 4, 5, 6, 9, 12, 23, 29, 30, 31, 40, 32, 33, 34, 35, 37, 38}));
    EXPECT_EQ(Goods(1).size(), 24u);
    EXPECT_EQ(Goods(2).size(), 29u);
    // Amulet's tenth good is the branch of life; the shop finds it by position.
    EXPECT_EQ(g().ShopSellItem[2].Goods[10], 8);
    std::set<Long> sold;
    for (int shop = 0; shop < ItemShopCount; ++shop)
        for (Long n : Goods(shop)) {
            ASSERT_GE(n, 0);
            ASSERT_LT(n, ItemCount);
            sold.insert(n);
            EXPECT_GT(g().AllItem[n].Price, 0) << g().AllItem[n].Name;
            EXPECT_EQ(g().AllItem[n].Price % 50, 0) << g().AllItem[n].Name;
        }
    // Every good of Hanoda is sold in Elwind, and every good of Elwind in Amulet.
    for (int shop = 0; shop < 2; ++shop)
        for (Long n : Goods(shop)) {
            const auto bigger = Goods(shop + 1);
            EXPECT_NE(std::find(bigger.begin(), bigger.end(), n), bigger.end()) << "item " << n;
        }
    for (Long n : {11, 14}) EXPECT_EQ(sold.count(n), 0u) << "item " << n;
}

TEST_F(FacilityTables, EstateAgentAndBankOffers) {
    const auto& h = g().ShopSellHouse;
    EXPECT_EQ(h[0].Name, "土地");
    EXPECT_EQ(h[0].SLHousePrice, 500000);
    const Long days[] = {0, 10, 20, 30, 10, 20, 30, 0, 0, 0, 0};
    for (int i = 0; i < HouseOfferCount; ++i) EXPECT_EQ(h[i].Days, days[i]) << i;
    EXPECT_EQ(h[3].Text, "30日分の盗難警備です");
    EXPECT_EQ(h[7].SLHousePrice, 0);
    EXPECT_EQ(h[8].SLHousePrice, 0);
    EXPECT_EQ(h[10].SLHousePrice, 1000);
    EXPECT_EQ(h[10].Text, "持っている株を払戻せます。売却手数料【100カリム/5株】");
}

TEST_F(FacilityTables, RecipesMakeTheSmithsArmsFromArmsOfTheCatalogue) {
    const std::vector<size_t> needCount = {2, 3, 4, 4, 4, 3, 3, 3, 4, 5, 4, 4, 4, 4, 12};
    for (int r = 0; r < RecipeCount; ++r) {
        const SmithRecipe& recipe = g().SmithSell[r];
        EXPECT_EQ(recipe.RecipeNo, r);
        EXPECT_EQ(recipe.Arm, 485 + r);
        std::vector<Long> needs;
        bool ended = false;
        for (Long n : recipe.Needs) {
            if (n == NoRecipeMaterial) ended = true;
            else if (ended) ADD_FAILURE() << "recipe " << r << " has a need after its end";
            else needs.push_back(n);
        }
        EXPECT_EQ(needs.size(), needCount[r]) << "recipe " << r;
        for (Long n : needs) {
            ASSERT_GE(n, 0);
            ASSERT_LT(n, ArmCount);
        }
    }
    EXPECT_EQ(g().SmithSell[0].Needs[0], 10);
    EXPECT_EQ(g().SmithSell[0].Needs[1], 71);
    EXPECT_EQ(g().SmithSell[11].Needs[3], 490);  // the product of recipe 5
    EXPECT_EQ(g().SmithSell[13].Needs[3], 493);  // the product of recipe 8
    // The last recipe uses up the twelve zodiac arms the monsters carry.
    std::set<Long> zodiac;
    for (const auto& m : g().AllMonster)
        if (m.Rate == 2 && m.No != 83) zodiac.insert(m.ArmNo);
    EXPECT_EQ(std::set<Long>(g().SmithSell[14].Needs.begin(), g().SmithSell[14].Needs.end()), zodiac);
    EXPECT_EQ(g().SmithSell[14].Price, 30000);
    EXPECT_EQ(g().SmithSell[14].Ore, 9);
}

TEST_F(FacilityTables, CarpenterWorks) {
    const auto& c = g().CarpenSell;
    EXPECT_EQ(c[0].Name, "新築");
    EXPECT_EQ(c[0].Adds, 0);
    const Long adds[] = {0, 25, 50, 75, 100, 200, 50, 100, 150, 200, 400};
    for (int i = 0; i < CarpenterWorkCount; ++i) {
        EXPECT_EQ(c[i].Adds, adds[i]) << i;
        EXPECT_EQ(c[i].Wood, i == 0 ? 50 : 10 * ((i - 1) % 5 + 1)) << i;
    }
    EXPECT_EQ(c[5].Name, "店増築(５)");
    EXPECT_EQ(c[10].Text, "倉庫の増築をします。倉庫に置ける武具＋400");
}

TEST_F(FacilityTables, TreasureChestsHoldTenItemsThenTheTenChestArms) {
    const std::vector<Long> items = {1, 2, 7, 8, 10, 13, 21, 22, 39, 42};
    for (int i = 0; i < TreasureCount; ++i) {
        const Long n = g().TreasureTable[i];
        if (i < 10) {
            EXPECT_EQ(n, items[i]);
            EXPECT_LE(n, 100);
        } else {
            EXPECT_EQ(n, 452 + i);
            EXPECT_EQ(g().AllArms[n].Rarity, 10);
        }
    }
}

}  // namespace
}  // namespace q::test
