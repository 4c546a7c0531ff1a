// quorvane-sim: runs a script of player actions against the game on a
// virtual clock and prints what a player would see.
#include <fstream>
#include <iostream>
#include <memory>

#include "core/Game.h"
#include "sim/PngWriter.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"

int main(int argc, char** argv) {
    std::string path;
    bool frames = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::cout << "usage: quorvane-sim [--frames] [SCRIPT]\n"
                         "  Reads a script (a file, or standard input) and prints the transcript.\n"
                         "  --frames  also print every stage frame: its sprites, their places and the region\n";
            return 0;
        }
        if (a == "--frames") {
            frames = true;
            continue;
        }
        path = a;
    }
    std::ifstream file;
    if (!path.empty()) {
        file.open(path);
        if (!file) {
            std::cerr << "quorvane-sim: cannot open " << path << "\n";
            return 2;
        }
    }
    std::istream& in = path.empty() ? std::cin : file;
    q::SimDriver driver(&std::cout);
    driver.host.SetShowFrames(frames);
    driver.writePng = q::WritePng;
    q::ScriptRunner runner(driver, [&]() -> q::Game& { return driver.MakeGame(); }, std::cout);
    try {
        runner.Run(in);
    } catch (const q::ScriptError& e) {
        std::cout.flush();
        std::cerr << "quorvane-sim: " << (path.empty() ? "stdin" : path) << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
