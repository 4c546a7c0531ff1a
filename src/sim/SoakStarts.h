// The starting points of random play: places spread over the whole game,
// each reached by a short road of play through the simulator's commands.
// A run plays its road first, then plays at random from where it stands.
#pragma once

#include <string>
#include <vector>

namespace q::soak {

struct StartPoint {
    std::string name;
    // What the road sets rather than plays, and why (empty: all played).
    std::string note;
    // Simulator lines after the program's start; its `expect` lines check
    // that the road got there.
    std::vector<std::string> road;
    // The places (coverage keys) a run from here is meant to reach.
    std::vector<std::string> places;
};

const std::vector<StartPoint>& StartPoints();

// The starting point of that name, or nullptr.
const StartPoint* FindStart(const std::string& name);

}  // namespace q::soak
