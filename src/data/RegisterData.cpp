// Every field of the data tables by name (`AllArms(499).BasePrice`,
// `ShopSellItem(2).Goods(10)`), and the fillers as procedures, for the
// simulator and the tests.
#include <string>

#include "core/Game.h"
#include "data/Tables.h"

namespace q {
namespace {

// Registers one field of the records of a table.
#define DATA_FIELD(table, count, field) \
    v.addField(#table, #field, 0, count, [](Game& g, int i) -> auto& { return g.table[i].field; })

// Registers an array field of the records as `Name(k)`, k = 0..size-1.
template <class Ref>
void AddArrayField(Vars& v, const std::string& table, const std::string& field, int records, int size,
                   Ref ref) {
    for (int k = 0; k < size; ++k)
        v.addField(table, field + "(" + std::to_string(k) + ")", 0, records,
                   [ref, k](Game& g, int i) -> auto& { return ref(g, i)[k]; });
}

template <class Fill>
void AddFiller(Procs& p, const std::string& name, Fill fill) {
    p.add(name, [fill](Game& g, const Procs::Args&) {
        fill(g);
        return std::string();
    });
}

}  // namespace

void RegisterData(Game& g) {
    Vars& v = g.vars;

    DATA_FIELD(AllArms, ArmCount, No);
    DATA_FIELD(AllArms, ArmCount, Name);
    DATA_FIELD(AllArms, ArmCount, Note);
    DATA_FIELD(AllArms, ArmCount, BasePrice);
    DATA_FIELD(AllArms, ArmCount, LArmsSetPrice);
    DATA_FIELD(AllArms, ArmCount, Area);
    DATA_FIELD(AllArms, ArmCount, Rarity);
    DATA_FIELD(AllArms, ArmCount, Special);
    DATA_FIELD(AllArms, ArmCount, LArmsList);

    DATA_FIELD(AllItem, ItemCount, No);
    DATA_FIELD(AllItem, ItemCount, Name);
    DATA_FIELD(AllItem, ItemCount, Note);
    DATA_FIELD(AllItem, ItemCount, Price);
    DATA_FIELD(AllItem, ItemCount, Hp);
    DATA_FIELD(AllItem, ItemCount, At);
    DATA_FIELD(AllItem, ItemCount, Di);
    DATA_FIELD(AllItem, ItemCount, Sp);
    DATA_FIELD(AllItem, ItemCount, Body);
    DATA_FIELD(AllItem, ItemCount, Water);
    DATA_FIELD(AllItem, ItemCount, Kind);
    DATA_FIELD(AllItem, ItemCount, UseScene);

    DATA_FIELD(AllKey, KeyItemCount, No);
    DATA_FIELD(AllKey, KeyItemCount, Name);
    DATA_FIELD(AllKey, KeyItemCount, Note);
    DATA_FIELD(AllKey, KeyItemCount, LKeyList);

    DATA_FIELD(AllGyoku, MonsterCount, No);
    DATA_FIELD(AllGyoku, MonsterCount, Name);
    DATA_FIELD(AllGyoku, MonsterCount, Note);
    DATA_FIELD(AllGyoku, MonsterCount, LGyokuList);

    DATA_FIELD(AllMonster, MonsterCount, No);
    DATA_FIELD(AllMonster, MonsterCount, Picture);
    DATA_FIELD(AllMonster, MonsterCount, Name);
    DATA_FIELD(AllMonster, MonsterCount, Note);
    DATA_FIELD(AllMonster, MonsterCount, Hp);
    DATA_FIELD(AllMonster, MonsterCount, At);
    DATA_FIELD(AllMonster, MonsterCount, Di);
    DATA_FIELD(AllMonster, MonsterCount, Sp);
    DATA_FIELD(AllMonster, MonsterCount, SpecialName);
    DATA_FIELD(AllMonster, MonsterCount, SpecialKind);
    DATA_FIELD(AllMonster, MonsterCount, SpecialRate);
    DATA_FIELD(AllMonster, MonsterCount, Exp);
    DATA_FIELD(AllMonster, MonsterCount, Gold);
    DATA_FIELD(AllMonster, MonsterCount, Place);
    DATA_FIELD(AllMonster, MonsterCount, DayNight);
    DATA_FIELD(AllMonster, MonsterCount, Rate);
    DATA_FIELD(AllMonster, MonsterCount, JewelRank);
    DATA_FIELD(AllMonster, MonsterCount, ItemNo);
    DATA_FIELD(AllMonster, MonsterCount, ItemRate);
    DATA_FIELD(AllMonster, MonsterCount, ArmNo);
    DATA_FIELD(AllMonster, MonsterCount, ArmRate);

    AddArrayField(v, "ShopSellItem", "Goods", ItemShopCount, 30,
                  [](Game& g, int i) -> auto& { return g.ShopSellItem[i].Goods; });

    DATA_FIELD(ShopSellHouse, HouseOfferCount, Name);
    DATA_FIELD(ShopSellHouse, HouseOfferCount, SLHousePrice);
    DATA_FIELD(ShopSellHouse, HouseOfferCount, Text);
    DATA_FIELD(ShopSellHouse, HouseOfferCount, Days);

    DATA_FIELD(SmithSell, RecipeCount, RecipeNo);
    DATA_FIELD(SmithSell, RecipeCount, Arm);
    DATA_FIELD(SmithSell, RecipeCount, Price);
    DATA_FIELD(SmithSell, RecipeCount, Ore);
    AddArrayField(v, "SmithSell", "Needs", RecipeCount, 12,
                  [](Game& g, int i) -> auto& { return g.SmithSell[i].Needs; });
    DATA_FIELD(SmithSell, RecipeCount, SLSmithRecipe);

    DATA_FIELD(CarpenSell, CarpenterWorkCount, Name);
    DATA_FIELD(CarpenSell, CarpenterWorkCount, Price);
    DATA_FIELD(CarpenSell, CarpenterWorkCount, Wood);
    DATA_FIELD(CarpenSell, CarpenterWorkCount, Text);
    DATA_FIELD(CarpenSell, CarpenterWorkCount, SLCarpenOk);
    DATA_FIELD(CarpenSell, CarpenterWorkCount, Adds);

    v.addArray("TreasureTable", 0, TreasureCount, [](Game& g, int i) -> auto& { return g.TreasureTable[i]; });

    Procs& p = g.procs;
    AddFiller(p, "InitArmTable1", [](Game& g) { InitArmTable1(g); });
    AddFiller(p, "InitArmTable2", [](Game& g) { InitArmTable2(g); });
    AddFiller(p, "InitItemTable", [](Game& g) { InitItemTable(g); });
    AddFiller(p, "InitKeyItemTable", [](Game& g) { InitKeyItemTable(g); });
    AddFiller(p, "InitJewelTable", [](Game& g) { InitJewelTable(g); });
    AddFiller(p, "InitMonsterTable", [](Game& g) { InitMonsterTable(g); });
    AddFiller(p, "InitFacilityTables", [](Game& g) { InitFacilityTables(g); });
    AddFiller(p, "InitTreasureTable", [](Game& g) { InitTreasureTable(g); });
}

#undef DATA_FIELD

}  // namespace q
