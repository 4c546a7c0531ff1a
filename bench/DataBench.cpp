// Filling every data table, as each new game does.
#include <benchmark/benchmark.h>

#include "core/Game.h"
#include "data/Tables.h"
#include "sim/SimHost.h"

namespace {

void BM_FillAllTables(benchmark::State& state) {
    q::SimHost host;
    q::Game game(host);
    for (auto _ : state) {
        q::InitArmTable1(game);
        q::InitArmTable2(game);
        q::InitItemTable(game);
        q::InitKeyItemTable(game);
        q::InitJewelTable(game);
        q::InitMonsterTable(game);
        q::InitFacilityTables(game);
        q::InitTreasureTable(game);
        benchmark::DoNotOptimize(game.AllArms.data());
    }
}
BENCHMARK(BM_FillAllTables);

}  // namespace
