// Frame building and table filling of the sprite stage.
#include <benchmark/benchmark.h>

#include "core/Game.h"
#include "forms/Form.h"
#include "sim/SimHost.h"
#include "stage/frm_RGN_Picture.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace {

// A busy field frame: the heroine, a monster, two place tiles, three gauge
// gems and the auto mark, and four more figures, all on one top line.
void BM_Frame12Sprites(benchmark::State& state) {
    q::SimHost host;
    q::Game game(host);
    q::GameForm stage(game, "frmField");
    stage.Show();
    q::RGN_InitForm(game, stage);
    const q::Long top = 10035, gemTop = top - 225;
    const int sprites[12][2] = {{407, 0},    {417, 27840}, {99, 4500}, {191, 5250}, {188, 75},   {190, 2325},
                                {189, 4575}, {398, 6825},  {30, 5400}, {5, 9000},   {119, 12000}, {166, 15000}};
    for (auto _ : state) {
        for (int i = 0; i < 12; ++i) {
            q::Long x = sprites[i][1], y = (sprites[i][0] >= 188 && sprites[i][0] <= 190) || sprites[i][0] == 398 ? gemTop : top;
            q::RGN_Draw(game, sprites[i][0], stage, x, y);
        }
        q::RGN_Apply(game, stage);
    }
    state.counters["rects"] = double(host.LastFrame().region.size());
}
BENCHMARK(BM_Frame12Sprites)->Unit(benchmark::kMicrosecond);

// The outline table from the decoded pictures: what the first stage of a
// run waits for.
void BM_LoadRegionData(benchmark::State& state) {
    q::SimHost host;
    q::Game game(host);
    q::frm_RGN_Picture::Get();  // decoded once per process, before the table
    for (auto _ : state) q::LoadRegionData(game);
}
BENCHMARK(BM_LoadRegionData)->Unit(benchmark::kMillisecond);

// Decoding all 424 pictures from their text, derivations included.
void BM_DecodePictures(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(q::PictureSet::Decode(q::SpriteAssets()));
}
BENCHMARK(BM_DecodePictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
