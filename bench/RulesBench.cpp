// One month of the shop standing open with nobody coming in: every idle tick
// of the shop clock asks whether a customer comes and counts a step of time,
// with the hunger turns, day changes and the month's end on the way.
#include <benchmark/benchmark.h>

#include "core/Clock.h"
#include "core/Game.h"
#include "core/World.h"
#include "sim/SimHost.h"

namespace {

void NewMonth(q::Game& g) {
    g.SceneFormName = "frmShop";
    g.NowYear = 3050;
    g.NowMonth = 4;
    g.NowDay = 1;
    g.NowTime = 0;
    g.StepCount = 0;
    g.MyLevel = 1;
    g.MyMaxHp = g.MyNowHp = 35;
    g.MyMaxBody = g.MyNowBody = 100;
    g.MyMaxWater = g.MyNowWater = 100;
    g.MyFame = 10;
    g.ShopHaveHouse[q::HouseBank].HLHouseNum = 1000000;
    g.ShopSellHouse[9].SLHousePrice = 1000;
    g.RobberyDay = {0, q::IncidentSettled};
    g.FireDay = {0, q::IncidentSettled};
}

void BM_IdleShopMonth(benchmark::State& state) {
    q::SimHost host;
    q::Game g(host);
    std::int64_t ticks = 0;
    for (auto _ : state) {
        state.PauseTiming();
        NewMonth(g);
        state.ResumeTiming();
        while (g.NowMonth == 4) {
            benchmark::DoNotOptimize(q::CustomerComes(g, g.MyFame));
            q::AdvanceTime(g, 1, false);
            // She eats and drinks at the turn of each day, so the month runs
            // the hunger turn's full path without fainting.
            if (g.NowTime == 0 && g.StepCount == 0) {
                g.MyNowBody = g.MyMaxBody;
                g.MyNowWater = g.MyMaxWater;
            }
            ++ticks;
        }
    }
    state.counters["ticks"] = benchmark::Counter(double(ticks), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(ticks);
}
BENCHMARK(BM_IdleShopMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
