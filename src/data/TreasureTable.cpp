// What a locked treasure chest can hold: ten items, then ten arms.
#include "data/Tables.h"

namespace q {
namespace {

constexpr Long kTreasure[TreasureCount] = {1, 2, 7, 8, 10, 13, 21, 22, 39, 42, 462, 463, 464, 465, 466, 467, 468, 469, 470, 471};

}  // namespace

void InitTreasureTable(DataTables& t) {
    for (int i = 0; i < TreasureCount; ++i) t.TreasureTable[i] = kTreasure[i];
}

}  // namespace q
