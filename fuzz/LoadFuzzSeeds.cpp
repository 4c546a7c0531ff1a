// Writes the fuzz target's first inputs into a folder (save files of a new
// game, a rich game and a full game, as stored and as plain lines) and its
// dictionary: the cipher's characters and the line end.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Game.h"
#include "save/GameStates.h"
#include "save/SaveCipher.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"
#include "sim/SimHost.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER DICTIONARY-FILE\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    const struct {
        const char* name;
        void (*fill)(q::Game&);
    } games[] = {{"new", q::test::NewGameState}, {"rich", q::test::RichGameState}, {"full", q::test::FullGameState}};
    for (const auto& s : games) {
        q::SimHost host;
        q::Game game(host);
        s.fill(game);
        const auto lines = q::BuildSaveLines(game, 0);
        const auto stored = q::SaveFileText(game, 0);
        if (!lines || !stored) return 1;
        std::string plain = "P";
        for (const auto& line : *lines) plain += line + "\n";
        std::ofstream(dir / (std::string("seed-") + s.name + ".dat"), std::ios::binary) << *stored;
        std::ofstream(dir / (std::string("seed-") + s.name + ".plain"), std::ios::binary) << plain;
    }

    std::ofstream dict(argv[2], std::ios::binary);
    for (size_t k = 0; k < q::CipherTable.size(); ++k) {
        dict << 't' << k << "=\"";
        for (unsigned char c : q::CipherTable[k]) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            dict << hex;
        }
        dict << "\"\n";
    }
    dict << "crlf=\"\\x0D\\x0A\"\n";
    return dict ? 0 : 1;
}
