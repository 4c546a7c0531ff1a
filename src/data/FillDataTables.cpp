#include "core/Game.h"
#include "data/Tables.h"

namespace q {

void FillDataTables(Game& g) {
    InitArmTable1(g);
    InitArmTable2(g);
    InitItemTable(g);
    InitKeyItemTable(g);
    InitJewelTable(g);
    InitMonsterTable(g);
    InitFacilityTables(g);
    InitTreasureTable(g);
}

}  // namespace q
