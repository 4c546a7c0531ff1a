// The game's built-in data tables: every arm, item, valuable, jewel and
// monster, and the goods of the town facilities. A game holds them; a fresh
// new game fills them, New Game Plus keeps them. The rest of the game names a
// row only by its number and indexes the arrays directly.
#pragma once

#include <array>
#include <string>

#include "core/GameState.h"

namespace q {

class Game;

// One arm of the catalogue. `LArmsSetPrice` and `LArmsList` are game state and
// are saved; the other fields never change.
struct ArmRecord {
    Long No = 0;
    std::string Name;
    std::string Note;
    Long BasePrice = 0;
    Long LArmsSetPrice = 0;  // the shop's asking price
    Long Area = 0;           // where it is found, 0-9
    Long Rarity = 0;         // 0-2 found lying, 3 unique, 10 an event arm
    bool Special = false;
    bool LArmsList = false;  // listed in the catalogue

    friend bool operator==(const ArmRecord&, const ArmRecord&) = default;
};

// One item of the sack. The amounts are read according to `Kind`.
struct ItemRecord {
    Long No = 0;
    std::string Name;
    std::string Note;
    Long Price = 0;
    Long Hp = 0;
    Long At = 0;
    Long Di = 0;
    Long Sp = 0;
    Long Body = 0;
    Long Water = 0;
    Long Kind = 0;
    Long UseScene = 0;

    friend bool operator==(const ItemRecord&, const ItemRecord&) = default;
};

// A valuable: owned or not.
struct KeyItemRecord {
    Long No = 0;
    std::string Name;
    std::string Note;
    bool LKeyList = false;

    friend bool operator==(const KeyItemRecord&, const KeyItemRecord&) = default;
};

// A monster's jewel: handed to the jewel collector or not.
struct JewelRecord {
    Long No = 0;
    std::string Name;
    std::string Note;
    bool LGyokuList = false;

    friend bool operator==(const JewelRecord&, const JewelRecord&) = default;
};

struct MonsterRecord {
    Long No = 0;
    Long Picture = 0;  // base sprite of the monster's pair
    std::string Name;
    std::string Note;
    Long Hp = 0;
    Long At = 0;
    Long Di = 0;
    Long Sp = 0;
    std::string SpecialName;
    Long SpecialKind = 0;
    Long SpecialRate = 0;
    Long Exp = 0;
    Long Gold = 0;
    Long Place = 0;
    Long DayNight = 0;
    Long Rate = 0;
    Long JewelRank = 0;
    Long ItemNo = 0;
    Long ItemRate = 0;
    Long ArmNo = 0;
    Long ArmRate = 0;

    friend bool operator==(const MonsterRecord&, const MonsterRecord&) = default;
};

// The goods of one item shop: element 0 is one more than the number of goods,
// elements 1.. the item numbers in the order the shop lists them.
struct GoodsList {
    std::array<Long, 30> Goods{};

    friend bool operator==(const GoodsList&, const GoodsList&) = default;
};

// A row of the estate agent (0-6) or the bank (7-10).
struct HouseOffer {
    std::string Name;
    Long SLHousePrice = 0;
    std::string Text;
    Long Days = 0;

    friend bool operator==(const HouseOffer&, const HouseOffer&) = default;
};

// A smith's recipe. `Needs` ends at the first NoRecipeMaterial.
struct SmithRecipe {
    Long RecipeNo = 0;
    Long Arm = 0;
    Long Price = 0;
    Long Ore = 0;
    std::array<Long, 12> Needs{};
    bool SLSmithRecipe = false;

    friend bool operator==(const SmithRecipe&, const SmithRecipe&) = default;
};

// A carpenter's work: the new shop (0) and its extensions.
struct CarpenterWork {
    std::string Name;
    Long Price = 0;
    Long Wood = 0;
    std::string Text;
    bool SLCarpenOk = false;
    Long Adds = 0;

    friend bool operator==(const CarpenterWork&, const CarpenterWork&) = default;
};

constexpr int ArmCount = 500;
constexpr int ItemCount = 43;
constexpr int KeyItemCount = 29;
constexpr int MonsterCount = 100;
constexpr int ItemShopCount = 3;
constexpr int HouseOfferCount = 11;
constexpr int RecipeCount = 15;
constexpr int CarpenterWorkCount = 11;
constexpr int TreasureCount = 20;

struct DataTables {
    std::array<ArmRecord, ArmCount> AllArms;
    std::array<ItemRecord, ItemCount> AllItem;
    std::array<KeyItemRecord, KeyItemCount> AllKey;
    std::array<JewelRecord, MonsterCount> AllGyoku;
    std::array<MonsterRecord, MonsterCount> AllMonster;

    std::array<GoodsList, ItemShopCount> ShopSellItem;  // Hanoda, Elwind, Amulet
    std::array<HouseOffer, HouseOfferCount> ShopSellHouse;
    std::array<SmithRecipe, RecipeCount> SmithSell;
    std::array<CarpenterWork, CarpenterWorkCount> CarpenSell;
    // A value up to 100 is an item number, a larger one an arm number.
    std::array<Long, TreasureCount> TreasureTable{};
};

// The fillers, in the order a new game runs them. Each writes every field of
// every row it owns, so a fill also wipes the state fields of the game before.
void InitArmTable1(DataTables& t);  // arms 0-199
void InitArmTable2(DataTables& t);  // arms 200-499
void InitItemTable(DataTables& t);
void InitKeyItemTable(DataTables& t);
void InitJewelTable(DataTables& t);
void InitMonsterTable(DataTables& t);
void InitFacilityTables(Game& g);  // also empties the wood stock
void InitTreasureTable(DataTables& t);
// Every filler, in the order a new game runs them.
void FillDataTables(Game& g);

// Every field of every table by name, and the fillers as procedures.
void RegisterData(Game& g);

}  // namespace q
