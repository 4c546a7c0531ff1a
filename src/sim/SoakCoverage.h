// What a run of random play reached: the stories, places and areas, the
// facility and list windows, the menu items chosen, the list windows'
// questions, the fights and how they ended, the dungeon depths and the
// story stages. Each is a key such as "story:ShopBuySell" or "facility:Smith".
#pragma once

#include <array>
#include <map>
#include <ostream>
#include <set>
#include <string>

namespace q {
class Game;
class SimHost;
}

namespace q::soak {

class Coverage {
public:
    // Before a line is played: a menu item it chooses.
    void BeforeLine(Game& g, SimHost& host, const std::string& line);
    // After every line: what the game now shows.
    void AfterLine(Game& g);
    // A fresh game (a program start): the counters it had are gone.
    void NewSession() { known_ = false; }
    // On the road to a starting point: what it sets (the bosses of its
    // stage) is not counted as won or met.
    void OnRoad(bool on) { onRoad_ = on; }

    const std::map<std::string, long>& reached() const { return reached_; }

private:
    void Mark(const std::string& key) { ++reached_[key]; }

    std::map<std::string, long> reached_;
    bool known_ = false;
    bool onRoad_ = false;
    long won_ = 0, fled_ = 0, fainted_ = 0;
    std::array<bool, 13> bosses_{};
};

struct Outcome;

// What the runs from each starting point played and reached, printed as
// lines that scripts/soak adds up over its players:
//   start NAME runs R played P inputs I hours H idle H2 places K  (idle: hours in stretches
//     of ten minutes or more with nothing new)
//   target NAME KEY hit|missed     (a place the starting point is meant to reach)
//   reached KEY N                  (every place reached, over all runs)
class Report {
public:
    void Add(const std::string& start, const Outcome& run);
    void Print(std::ostream& out) const;
    // The starting points none of whose runs got past the road.
    long Unplayed() const;

private:
    struct PerStart {
        long runs = 0, played = 0, inputs = 0;
        double hours = 0, idleHours = 0;
        std::set<std::string> reached;
    };
    std::map<std::string, PerStart> starts_;
    std::map<std::string, long> reached_;
};

// The depth of a dungeon floor, for the coverage key: shallow, middle, deep.
std::string Depth(const std::string& dungeon, long floor);

}  // namespace q::soak
