// libFuzzer target over the save loader. An input is a save file as it lies
// on disk; an input that starts with "P" is instead plain lines, one a line,
// that are enciphered before the load, so the fuzzer reaches every field.
//
// What must hold, whatever the file:
// - the loader never crashes, reads out of bounds or overflows;
// - a refused file leaves the game exactly as it was;
// - a file the loader takes holds a game that saves and loads back the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Game.h"
#include "save/GameStates.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"
#include "sim/SimHost.h"

namespace {

struct Fuzz {
    q::SimHost host;
    q::Game game{host};
    q::GameState baseline;
    q::SavedTables baselineTables;

    Fuzz() {
        q::test::RichGameState(game);
        game.SpeedInterval = 200;
        game.AutoWait = 1000;
        (void)q::BuildSaveLines(game, 0);  // the totals and the roll's bounds as a save leaves them
        baseline = game;
        baselineTables = q::GatherTables(game);
    }
    void Reset() {
        static_cast<q::GameState&>(game) = baseline;
        q::ApplyTables(game, baselineTables);
    }
    // Everything a load can change, with the noise drawn from a fixed seed.
    std::string Fingerprint() {
        game.rng.Randomize(1);
        const auto lines = q::BuildSaveLines(game, 0);
        if (!lines) return "unsaveable";
        std::string fp;
        for (const auto& line : *lines) fp += line + "\n";
        fp += game.FieldName + "\n" + std::to_string(game.SpeedInterval) + " " + std::to_string(game.AutoWait);
        return fp;
    }
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "load_fuzz: %s\n", what);
    std::abort();
}

// Plain lines separated by LF, each enciphered and ended with CR LF.
std::string Encipher(std::string_view plain) {
    std::string file, code;
    while (!plain.empty()) {
        const size_t lf = plain.find('\n');
        q::CipherLine(true, plain.substr(0, lf), code);
        file += code + "\r\n";
        plain = lf == std::string_view::npos ? std::string_view() : plain.substr(lf + 1);
    }
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Fuzz f;
    f.Reset();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string file = !input.empty() && input[0] == 'P' ? Encipher(input.substr(1)) : std::string(input);

    const std::string before = f.Fingerprint();
    if (!q::LoadSaveText(f.game, file)) {
        if (f.Fingerprint() != before) Fail("a refused file changed the game");
        return 0;
    }
    const std::string loaded = f.Fingerprint();
    const auto again = q::SaveFileText(f.game, 0);
    if (!again) Fail("a game the loader took cannot be saved");
    f.Reset();
    if (!q::LoadSaveText(f.game, *again)) Fail("the loader refused its own save");
    if (f.Fingerprint() != loaded) Fail("a saved game loaded back different");
    return 0;
}
