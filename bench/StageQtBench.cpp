// The desktop stage: the window mask and the image of a frame of 12 figures.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "core/Game.h"
#include "forms/Form.h"
#include "qt/QtHost.h"
#include "stage/mod_RGN_Proc.h"
#include "stage/mod_RGN_UserFunction.h"

namespace {

// Draws a frame of 12 figures on the line the figures stand on and keeps
// what the host was handed.
struct Recorder : q::QtHost {
    std::vector<q::PixelRect> region[2];
    std::vector<q::StageSprite> image[2];
    int frames = 0;
    void StageFrameReady(q::Form& stage, const q::StageFrame& frame) override {
        region[frames % 2] = frame.region;
        image[frames % 2] = frame.image;
        ++frames;
        QtHost::StageFrameReady(stage, frame);
    }
};

struct Scene {
    Recorder host;
    q::Game game{host};
    q::GameForm stage{game, "frmField"};
    Scene() {
        stage.Show();
        q::RGN_InitForm(game, stage);
        const q::Long top = q::RGN_ScreenHeight(game) - 900;
        const int sprites[12] = {407, 417, 99, 191, 188, 190, 189, 398, 30, 5, 119, 166};
        // Two frames a step apart, as when the figures walk.
        for (int step = 0; step < 2; ++step) {
            for (int i = 0; i < 12; ++i) {
                q::Long x = 300 + i * 1500 + step * 150, y = top;
                q::RGN_Draw(game, sprites[i], stage, x, y);
            }
            q::RGN_Apply(game, stage);
        }
    }
};

// The mask alone: the cached region of each sprite, moved and joined, set
// on the window.
void BM_QtMask12Figures(benchmark::State& state) {
    Scene s;
    q::SpriteRegions regions;
    q::FormWindow* w = s.host.WindowFor(s.stage);
    const q::StageFrame frames[2] = {{s.host.region[0], s.host.image[0]}, {s.host.region[1], s.host.image[1]}};
    int i = 0;
    for (auto _ : state) w->setMask(regions.MaskOf(frames[i++ % 2]));
    state.counters["rects"] = double(regions.MaskOf(frames[0]).rectCount());
}
BENCHMARK(BM_QtMask12Figures)->Unit(benchmark::kMicrosecond);

// The whole frame on the desktop host: image and mask.
void BM_QtFrame12Figures(benchmark::State& state) {
    Scene s;
    const q::StageFrame frames[2] = {{s.host.region[0], s.host.image[0]}, {s.host.region[1], s.host.image[1]}};
    int i = 0;
    for (auto _ : state) s.host.QtHost::StageFrameReady(s.stage, frames[i++ % 2]);
}
BENCHMARK(BM_QtFrame12Figures)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
