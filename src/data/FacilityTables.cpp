// What the town facilities sell: the item shops' goods, the estate agent's
// and the bank's offers, the smith's recipes and the carpenter's works.
#include <array>
#include <cstddef>

#include "core/Game.h"
#include "data/Tables.h"

namespace q {
namespace {

// The goods of each item shop in the order it lists them. The shop shows
// Amulet's tenth good, the branch of life, as sold out by its position, so
// that list keeps this order.
constexpr Long kHanodaGoods[] = {0, 3, 4, 5, 6, 9, 12, 23, 29, 30, 31, 40, 32, 33, 34, 35, 37, 38};
constexpr Long kElwindGoods[] = {0, 1, 3, 4, 5, 6, 9, 10, 12, 13, 23, 24, 29, 39, 30, 31, 40, 32, 33, 34, 35, 36, 37, 38};
constexpr Long kAmuletGoods[] = {0, 1, 2, 42, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 23, 24, 25, 29, 39, 30, 31, 40, 32, 33, 34, 35, 36, 37, 38};

template <std::size_t N>
void WriteGoods(GoodsList& list, const Long (&goods)[N]) {
    list.Goods[0] = Long(N) + 1;
    for (std::size_t k = 0; k < N; ++k) list.Goods[k + 1] = goods[k];
}

struct HouseRow {
    const char* Name;
    Long SLHousePrice;
    const char* Text;
    Long Days;
};

// Rows 0-6 are the estate agent's, 7-10 the bank's; row 9 carries the share
// price, which starts every new game at 1000.
constexpr HouseRow kHouseOffers[HouseOfferCount] = {
    /* 0 */ {"土地", 500000, "店を建てるための敷地です", 0},
    /* 1 */ {"盗難警備(1)", 5400, "10日分の盗難警備です", 10},
    /* 2 */ {"盗難警備(2)", 9000, "20日分の盗難警備です", 20},
    /* 3 */ {"盗難警備(3)", 15000, "30日分の盗難警備です", 30},
    /* 4 */ {"火災検知(1)", 3240, "10日分の火災検知です", 10},
    /* 5 */ {"火災検知(2)", 5400, "20日分の火災検知です", 20},
    /* 6 */ {"火災検知(3)", 9000, "30日分の火災検知です", 30},
    /* 7 */ {"入金", 0, "銀行にカリムを預けます", 0},
    /* 8 */ {"出金", 0, "銀行に預けたカリムを引き出します", 0},
    /* 9 */ {"株購入", 1000, "安く買って高く売りましょう", 0},
    /* 10 */ {"株払戻し", 1000, "持っている株を払戻せます。売却手数料【100カリム/5株】", 0},
};

struct RecipeRow {
    Long Arm;
    Long Price;
    Long Ore;
    std::array<Long, 12> Needs;
};

constexpr Long End = NoRecipeMaterial;  // the list of needs ends here

// The arm made, the fee, the pieces of ore and the arms used up.
constexpr RecipeRow kRecipes[RecipeCount] = {
    /* 0 */ {485, 1300, 2, {10, 71, End, End, End, End, End, End, End, End, End, End}},
    /* 1 */ {486, 1800, 3, {3, 11, 158, End, End, End, End, End, End, End, End, End}},
    /* 2 */ {487, 1000, 4, {91, 110, 290, 312, End, End, End, End, End, End, End, End}},
    /* 3 */ {488, 2000, 4, {39, 44, 186, 297, End, End, End, End, End, End, End, End}},
    /* 4 */ {489, 1000, 4, {12, 116, 216, 371, End, End, End, End, End, End, End, End}},
    /* 5 */ {490, 1000, 3, {123, 168, 212, End, End, End, End, End, End, End, End, End}},
    /* 6 */ {491, 1000, 3, {236, 275, 378, End, End, End, End, End, End, End, End, End}},
    /* 7 */ {492, 3000, 3, {348, 414, 426, End, End, End, End, End, End, End, End, End}},
    /* 8 */ {493, 3000, 4, {83, 139, 189, 379, End, End, End, End, End, End, End, End}},
    /* 9 */ {494, 3000, 5, {47, 119, 130, 355, 373, End, End, End, End, End, End, End}},
    /* 10 */ {495, 5000, 4, {132, 288, 302, 328, End, End, End, End, End, End, End, End}},
    /* 11 */ {496, 5000, 4, {332, 387, 401, 490, End, End, End, End, End, End, End, End}},
    /* 12 */ {497, 2000, 4, {5, 244, 298, 448, End, End, End, End, End, End, End, End}},
    /* 13 */ {498, 10000, 4, {249, 285, 407, 493, End, End, End, End, End, End, End, End}},
    /* 14 */ {499, 30000, 9, {411, 412, 418, 419, 422, 423, 429, 436, 437, 439, 440, 446}},
};

struct CarpenterRow {
    const char* Name;
    Long Price;
    Long Wood;
    const char* Text;
    Long Adds;
};

// The new shop, then five shop and five warehouse extensions.
constexpr CarpenterRow kCarpenterWorks[CarpenterWorkCount] = {
    /* 0 */ {"新築", 500000, 50, "新たに店を建てられます。店武具50、倉庫武具100", 0},
    /* 1 */ {"店増築(１)", 25000, 10, "店の増築をします。店に置ける武具＋25", 25},
    /* 2 */ {"店増築(２)", 50000, 20, "店の増築をします。店に置ける武具＋50", 50},
    /* 3 */ {"店増築(３)", 75000, 30, "店の増築をします。店に置ける武具＋75", 75},
    /* 4 */ {"店増築(４)", 100000, 40, "店の増築をします。店に置ける武具＋100", 100},
    /* 5 */ {"店増築(５)", 200000, 50, "店の増築をします。店に置ける武具＋200", 200},
    /* 6 */ {"倉庫増築(１)", 50000, 10, "倉庫の増築をします。倉庫に置ける武具＋50", 50},
    /* 7 */ {"倉庫増築(２)", 100000, 20, "倉庫の増築をします。倉庫に置ける武具＋100", 100},
    /* 8 */ {"倉庫増築(３)", 150000, 30, "倉庫の増築をします。倉庫に置ける武具＋150", 150},
    /* 9 */ {"倉庫増築(４)", 200000, 40, "倉庫の増築をします。倉庫に置ける武具＋200", 200},
    /* 10 */ {"倉庫増築(５)", 400000, 50, "倉庫の増築をします。倉庫に置ける武具＋400", 400},
};

// The wood stock goes with the carpenter's goods.
void EmptyWoodStock(Game& g) { g.WoodNum = 0; }

}  // namespace

void InitFacilityTables(Game& g) {
    WriteGoods(g.ShopSellItem[0], kHanodaGoods);
    WriteGoods(g.ShopSellItem[1], kElwindGoods);
    WriteGoods(g.ShopSellItem[2], kAmuletGoods);

    for (int i = 0; i < HouseOfferCount; ++i) {
        const HouseRow& row = kHouseOffers[i];
        HouseOffer& offer = g.ShopSellHouse[i];
        offer.Name = row.Name;
        offer.SLHousePrice = row.SLHousePrice;
        offer.Text = row.Text;
        offer.Days = row.Days;
    }

    for (int i = 0; i < RecipeCount; ++i) {
        const RecipeRow& row = kRecipes[i];
        SmithRecipe& recipe = g.SmithSell[i];
        recipe.RecipeNo = i;
        recipe.Arm = row.Arm;
        recipe.Price = row.Price;
        recipe.Ore = row.Ore;
        recipe.Needs = row.Needs;
        recipe.SLSmithRecipe = false;
    }

    EmptyWoodStock(g);

    for (int i = 0; i < CarpenterWorkCount; ++i) {
        const CarpenterRow& row = kCarpenterWorks[i];
        CarpenterWork& work = g.CarpenSell[i];
        work.Name = row.Name;
        work.Price = row.Price;
        work.Wood = row.Wood;
        work.Text = row.Text;
        work.SLCarpenOk = false;
        work.Adds = row.Adds;
    }
}

}  // namespace q
