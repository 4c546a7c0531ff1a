#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "sim/Script.h"
#include "sim/SimDriver.h"
#include "sim/Soak.h"
#include "sim/SoakCoverage.h"
#include "sim/SoakStarts.h"

namespace q::soak {
namespace {

Options Fresh(Mode mode = Mode::Click) {
    Options o;
    o.mode = mode;
    o.seed = 11;
    // A folder of the test's own: ctest runs the cases side by side.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    o.folder = (std::filesystem::temp_directory_path() / ("quorvane-soak-test-" + test)).string();
    return o;
}

// A new game begun and its opening clicked through: she stands in her shop.
std::vector<std::string> InTheShop(const Options& o, std::vector<std::string> more = {}) {
    std::vector<std::string> lines = {"seed 11", "dir " + o.folder + " empty", "start", "click frmOpen.cmdStart", "wait 10"};
    for (int i = 0; i < 18; ++i) lines.push_back("key G");
    lines.push_back("wait 400");
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string Kind(const std::optional<Finding>& f) { return f ? f->kind + ": " + f->detail : "nothing"; }

TEST(SoakTest, LockUpIsFoundAndTheWaitsTheRulesAllowAreNot) {
    struct Case {
        Mode mode;
        std::vector<std::string> more;
        bool stuck;
    } cases[] = {
        {Mode::Click, {}, false},
        // Paused, by hand and in auto mode: C moves it on again.
        {Mode::Click, {"key C"}, false},
        {Mode::Auto, {"key Apps", "menu 開店", "key A", "key C"}, false},
        // Quitting chosen with no question to answer: no key, click or menu works.
        {Mode::Click, {"set GameEnding True"}, true},
    };
    for (const auto& c : cases) {
        const Options o = Fresh(c.mode);
        const auto f = Check(o, InTheShop(o, c.more), true);
        const std::string what = c.more.empty() ? "nothing more" : c.more.back();
        if (c.stuck) EXPECT_TRUE(f && f->kind == "stuck") << what << ": " << Kind(f);
        else EXPECT_FALSE(f && f->kind == "stuck") << what << ": " << Kind(f);
    }
}

TEST(SoakTest, BrokenRuleOfTheStateIsFoundAfterTheInputThatBrokeIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"set MyGold -1", "MyGold"},
        {"set MyNowHp 100000", "MyNowHp"},
        {"set NowDay 30", "NowDay"},
        {"set HaveShopNum 999", "HaveShopNum"},
        {"set MyStockArms(0).SStockArmsNum 0", "MyStockArms(0) holds 0"},
        {"set HaveStockNum 5", "MyStockArms holds 6 pieces"},
        {"set WaitingAnswer True", "a question waits"},
        {"set ListConfirm True", "a list window waits"},
    };
    for (const auto& [line, rule] : cases) {
        const Options o = Fresh();
        const auto f = Check(o, InTheShop(o, {line, "wait 100"}), false);
        ASSERT_TRUE(f) << line;
        EXPECT_EQ(f->kind, "invariant") << line;
        EXPECT_NE(f->detail.find(rule), std::string::npos) << line << ": " << f->detail;
    }
    const Options o = Fresh();
    EXPECT_EQ(Kind(Check(o, InTheShop(o, {"wait 60000"}), false)), "nothing");
}

TEST(SoakTest, RunIsRepeatableAndItsFindingReplaysInTheSimulator) {
    Options o = Fresh(Mode::Click);
    o.inputs = 300;
    const Outcome a = Play(o), b = Play(o);
    EXPECT_EQ(a.script, b.script);
    EXPECT_EQ(a.virtualMs, b.virtualMs);
    EXPECT_EQ(a.inputs, 300);

    // A finding's script, as written, runs through the simulator's interpreter.
    const auto f = Check(o, InTheShop(o, {"set GameEnding True"}), true);
    ASSERT_TRUE(f && f->kind == "stuck");
    std::ostringstream out;
    SimDriver driver(nullptr);
    ScriptRunner runner(driver, [&]() -> Game& { return driver.MakeGame(); }, out);
    std::istringstream script(ScriptText(*f, o, o.folder));
    EXPECT_NO_THROW(runner.Run(script));
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

TEST(SoakTest, RunFromAStartingPointPlaysOnWhereItsRoadLeadsAndCountsWhatItReached) {
    Options o = Fresh(Mode::Click);
    o.start = "smith";
    o.inputs = 20;
    const Outcome r = Play(o);
    EXPECT_TRUE(r.started) << Kind(r.finding);
    EXPECT_EQ(r.inputs, 20);  // the road's own lines are not the player's inputs
    EXPECT_TRUE(r.reached.count("facility:Smith"));
    EXPECT_TRUE(r.reached.count("board:鍛冶屋"));
    EXPECT_TRUE(r.reached.count("area:Rein"));
    // The bosses the road's stage sets are not counted as beaten in the run.
    EXPECT_FALSE(r.reached.count("boss:0"));

    Report report;
    report.Add("smith", r);
    std::ostringstream out;
    report.Print(out);
    EXPECT_NE(out.str().find("start smith runs 1 played 1 inputs 20 "), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("target smith facility:Smith hit"), std::string::npos) << out.str();
    EXPECT_EQ(report.Unplayed(), 0);
}

TEST(SoakTest, StartingPointWhoseRunsAllStoppedOnTheRoadIsNeverPlayed) {
    Report report;
    Outcome stopped;
    stopped.finding = Finding{"start", "the road to castle stopped", {}};
    report.Add("castle", stopped);
    report.Add("castle", stopped);
    std::ostringstream out;
    report.Print(out);
    EXPECT_EQ(report.Unplayed(), 1);
    EXPECT_NE(out.str().find("NEVER PLAYED castle"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("target castle place:Siro missed"), std::string::npos) << out.str();
}

TEST(SoakTest, DungeonDepthIsAThirdOfItsFloors) {
    const std::tuple<const char*, long, const char*> cases[] = {
        {"Shinen", 1, "floor:Shinen-shallow"}, {"Shinen", 99, "floor:Shinen-shallow"}, {"Shinen", 100, "floor:Shinen-middle"},
        {"Shinen", 299, "floor:Shinen-deep"},  {"Tou", 33, "floor:Tou-shallow"},       {"Tou", 34, "floor:Tou-middle"},
        {"Tou", 67, "floor:Tou-deep"},
    };
    for (const auto& [dungeon, floor, key] : cases) EXPECT_EQ(Depth(dungeon, floor), key) << dungeon << " " << floor;
}

}  // namespace
}  // namespace q::soak
