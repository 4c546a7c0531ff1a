// How fast the shop's calendar runs in auto mode: game days per hour of open
// shop on the simulator's virtual clock. A whole-process figure, not a timed
// test: it plays seeds from a new game, opens the shop, turns auto mode on and
// lets it run, as a player who only feeds her and answers what auto mode
// leaves to the player would.
//
//   shop_days [early|fame|helper] [SEEDS] [HOURS]     e.g. shop_days fame 12 3
//
// early: the new game's shop as it stands; fame: fame 9999; helper: the
// helping swordsman keeps the shop (customers come as to the most famous
// shop). Prints each seed's days and hours, and the days per hour of all.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>

#include "core/Clock.h"
#include "core/Game.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"

namespace {

constexpr std::int64_t SecondMs = 1000;
// Auto mode has left the line to the player this long: she clicks.
constexpr std::int64_t PlayerClicksAfterMs = 3000;

struct Figures {
    double units = 0;  // time units passed while the shop was open
    double openMs = 0;
    int faints = 0;
    int clicks = 0;
};

class Play {
public:
    explicit Play(unsigned seed) : runner_(driver_, [this]() -> q::Game& { return driver_.MakeGame(); }, null_) {
        const std::string dir = (std::filesystem::temp_directory_path() / ("quorvane-shop-days-" + std::to_string(seed))).string();
        Line("seed " + std::to_string(seed));
        Line("dir \"" + dir + "\" empty");
    }

    Figures Run(const std::string& setup, double hours) {
        Line("start");
        Line("click frmOpen.cmdStart");
        Line("wait 10");
        for (int i = 0; i < 60 && g().NewGame; ++i) Line("key G");
        Line("wait 400");
        Figures f;
        const std::int64_t want = std::int64_t(hours * 3600 * SecondMs);
        std::int64_t stalled = 0;
        double last = Clock();
        bool fainted = false;
        while (f.openMs < want) {
            if (!g().ShopOpen) {
                if (!Open(setup)) {
                    Line("key G");
                    Line("wait 1000");
                    continue;
                }
                last = Clock();
            }
            Feed();
            Line("wait " + std::to_string(SecondMs));
            if (g().DieFlg && !fainted) ++f.faints;
            fainted = g().DieFlg;
            if (!g().ShopOpen) continue;
            const double now = Clock();
            f.units += now >= last ? now - last : now + q::UnitsPerDay - last;
            last = now;
            f.openMs += SecondMs;
            stalled = Running() ? 0 : stalled + SecondMs;
            if (stalled >= PlayerClicksAfterMs) {
                Line("key G");
                ++f.clicks;
                stalled = 0;
            }
        }
        return f;
    }

private:
    q::Game& g() { return driver_.MakeGame(); }
    void Line(const std::string& line) { runner_.RunLine(line, ++lines_); }

    // The time of day in units, with the steps of the unit under way.
    double Clock() { return double(g().NowTime) + double(g().StepCount) / double(q::StepsPerUnit(g())); }

    // She eats, drinks and rests whenever she likes: no faint from hunger,
    // thirst or the strain of the deals.
    void Feed() {
        g().MyNowHp = g().MyMaxHp;
        g().MyNowBody = g().MyMaxBody;
        g().MyNowWater = g().MyMaxWater;
    }

    // Whether the shop's clock or auto mode's wait is running.
    bool Running() {
        q::Timer* t1 = g().StageTimer("Timer1");
        q::Timer* t3 = g().StageTimer("Timer3");
        return (t1 && t1->Enabled && t1->Interval > 0) || (t3 && t3->Enabled && t3->Interval > 0);
    }

    bool Open(const std::string& setup) {
        if (g().SceneFormName != "frmShop" || g().MenuLocked || g().EventBusy) return false;
        try {
            Line("key Apps");
            Line("menu 開店");
        } catch (const std::exception&) {
            driver_.CloseMenu();
            return false;
        }
        if (!g().ShopOpen) return false;
        if (setup == "fame") g().MyFame = 9999;
        if (setup == "helper") g().HelperPresent = true;
        if (!g().AutoNext) Line("key A");
        return true;
    }

    std::ostream null_{nullptr};
    q::SimDriver driver_{nullptr};
    q::ScriptRunner runner_;
    int lines_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const std::string setup = argc > 1 ? argv[1] : "early";
    const int seeds = argc > 2 ? std::atoi(argv[2]) : 12;
    const double hours = argc > 3 ? std::atof(argv[3]) : 3;
    if (setup != "early" && setup != "fame" && setup != "helper") {
        std::cerr << "usage: shop_days [early|fame|helper] [SEEDS] [HOURS]\n";
        return 2;
    }
    Figures all;
    for (int seed = 1; seed <= seeds; ++seed) {
        Play play{unsigned(seed)};
        const Figures f = play.Run(setup, hours);
        std::printf("seed %2d: %7.2f days in %.2f h open, %d faints, %d clicks\n", seed, f.units / q::UnitsPerDay,
                    f.openMs / 3.6e6, f.faints, f.clicks);
        all.units += f.units;
        all.openMs += f.openMs;
    }
    std::printf("%s: %.2f days per hour of open shop (%d seeds x %.1f h)\n", setup.c_str(),
                all.units / q::UnitsPerDay / (all.openMs / 3.6e6), seeds, hours);
    return 0;
}
