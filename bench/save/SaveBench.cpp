// Saving and continuing a game with every list full, in a folder of its own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/Game.h"
#include "save/GameStates.h"
#include "save/SaveFile.h"
#include "sim/SimHost.h"

namespace {

namespace fs = std::filesystem;

// A full game in a temporary current folder, for the length of one benchmark.
class FullGame {
public:
    FullGame() : game(host) {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("quorvane-bench-" + std::to_string(rd()));
        fs::create_directories(dir_);
        old_ = fs::current_path();
        fs::current_path(dir_);
        q::test::FullGameState(game);
    }
    ~FullGame() {
        fs::current_path(old_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    q::SimHost host;
    q::Game game;

private:
    fs::path dir_, old_;
};

void SaveGameFull(benchmark::State& state) {
    FullGame f;
    for (auto _ : state) {
        q::SaveGame(f.game, 0);
        if (f.game.SaveFailCount != 1) state.SkipWithError("save failed");
    }
}
BENCHMARK(SaveGameFull)->Unit(benchmark::kMicrosecond);

void LoadGameFull(benchmark::State& state) {
    FullGame f;
    q::SaveGame(f.game, 0);
    for (auto _ : state)
        if (!q::LoadGame(f.game, 1)) state.SkipWithError("load failed");
}
BENCHMARK(LoadGameFull)->Unit(benchmark::kMicrosecond);

// The figure to keep: one save and one load of a full game.
void SaveAndLoadFull(benchmark::State& state) {
    FullGame f;
    for (auto _ : state) {
        q::SaveGame(f.game, 0);
        if (!q::LoadGame(f.game, 1)) state.SkipWithError("load failed");
    }
}
BENCHMARK(SaveAndLoadFull)->Unit(benchmark::kMicrosecond);

// The same without the disk: building the lines and reading them back.
void SaveAndLoadInMemory(benchmark::State& state) {
    FullGame f;
    for (auto _ : state) {
        auto bytes = q::SaveFileText(f.game, 0);
        if (!bytes || !q::LoadSaveText(f.game, *bytes)) state.SkipWithError("round trip failed");
    }
}
BENCHMARK(SaveAndLoadInMemory)->Unit(benchmark::kMicrosecond);

}  // namespace
