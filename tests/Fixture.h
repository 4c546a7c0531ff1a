// A fresh game over the simulator host, for the suites of every subsystem.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Game.h"
#include "sim/SimHost.h"

namespace q::test {

class GameTest : public ::testing::Test {
protected:
    GameTest() : host(&transcript), game(std::make_unique<Game>(host)) {}

    std::ostringstream transcript;
    SimHost host;
    std::unique_ptr<Game> game;
    Game& g() { return *game; }

    // Calls a test made stand for another part of the game: the part has its
    // own tests, here it only matters whether and how often it was reached.
    std::vector<std::string> calls;
    void Record(const std::string& name) { calls.push_back(name); }
    void Stub(const std::string& name) {
        game->SetHandler(name, [this, name](Long) { calls.push_back(name); });
    }
};

}  // namespace q::test
