// A fresh game over the simulator host, for the suites of every subsystem.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

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
};

}  // namespace q::test
