#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include <unistd.h>

#include "sim/Script.h"
#include "sim/SimDriver.h"
#include "sim/Soak.h"
#include "sim/SoakCoverage.h"
#include "sim/SoakLockup.h"
#include "sim/SoakStarts.h"

namespace q::soak {
namespace {

Options Fresh(Mode mode = Mode::Click) {
    Options o;
    o.mode = mode;
    o.seed = 11;
    // A folder of the test's and the process's own: ctest runs the cases
    // side by side, and two builds' suites may run at once.
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    o.folder = (std::filesystem::temp_directory_path() /
                ("quorvane-soak-test-" + test + "-" + std::to_string(::getpid())))
                   .string();
    // Removed when the process ends.
    static struct Folders {
        std::vector<std::string> made;
        ~Folders() {
            std::error_code ec;
            for (const auto& f : made) std::filesystem::remove_all(f, ec);
        }
    } folders;
    if (std::find(folders.made.begin(), folders.made.end(), o.folder) == folders.made.end()) folders.made.push_back(o.folder);
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

// A new game, and the road of the starting point `name` played from its start.
std::vector<std::string> FromStart(const Options& o, const std::string& name, std::vector<std::string> more = {}) {
    std::vector<std::string> lines = {"seed " + std::to_string(o.seed), "dir " + o.folder + " empty", "start"};
    const StartPoint* s = FindStart(name);
    if (s) lines.insert(lines.end(), s->road.begin(), s->road.end());
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

std::string Kind(const std::optional<Finding>& f) { return f ? f->kind + ": " + f->detail : "nothing"; }

// From the shop, to the board and into the item shop, where a purchase is
// asked: "[買う(Y)] [買わない(N/G)]" waits on the bar.
std::vector<std::string> PurchaseAsked() {
    return {"key Apps", "menu 看板へ", "wait 3000", "key Apps", "menu 道具屋", "wait 3000", "set MyGold 100000",
            "select frmItemShop.lstList 1", "click frmItemShop.cmdBuy", "wait 1000", "click frmUnderMes.LBLMessage(0)",
            "wait 1000"};
}

std::vector<std::string> With(std::vector<std::string> lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

// Out on the road to Rein with nothing to meet, walking to and fro
// between two steps for seven virtual hours.
std::vector<std::string> ToAndFro() {
    std::vector<std::string> lines = {"key Apps", "menu 看板へ", "wait 3000", "set Warasibe 1", "set MonsNothing True", "key Apps",
                                      "menu レインウッド", "expect SceneFormName frmField"};
    for (int i = 0; i < 1100; ++i)
        lines = With(lines, {"set RoadPos 40", "key T", "wait 12000", "set RoadPos 30", "key T", "wait 12000"});
    return With(lines, {"expect SceneFormName frmField"});
}

TEST(SoakTest, LockUpIsFoundAndTheWaitsTheRulesAllowAreNot) {
    struct Case {
        const char* what;
        Mode mode;
        std::vector<std::string> more;
        bool stuck;
    } cases[] = {
        {"nothing more", Mode::Click, {}, false},
        // Paused, by hand and in auto mode: C moves it on again.
        {"paused", Mode::Click, {"key C"}, false},
        {"paused in auto mode", Mode::Auto, {"key Apps", "menu 開店", "key A", "key C"}, false},
        // A purchase asked, and answered as the player likes.
        {"a purchase asked", Mode::Click, PurchaseAsked(), false},
        // A long road walked to and fro for hours (fights fled back along
        // it), never to its end: she moves, so it is no place she cannot leave.
        {"a long road walked to and fro", Mode::Click, ToAndFro(), false},
        // Quitting chosen with no question to answer: no key, click or menu works.
        {"quitting with no question", Mode::Click, {"set GameEnding True"}, true},
        // A place with no way on: the menu offers only the status and quitting.
        {"only quitting works", Mode::Click, {"set EventField Nowhere"}, true},
        // The same in the open shop: the customers come and the clock runs,
        // but no menu opens again.
        {"quitting with the shop open", Mode::Click, {"key Apps", "menu 開店", "wait 2000", "set GameEnding True"}, true},
        // A list window waits for a confirmation that no question asks, while
        // the customers' talk runs.
        {"a list confirmation with no question", Mode::Click,
         {"key Apps", "menu 開店", "wait 2000", "key 7 +Shift", "set ListConfirm True"}, true},
        // The purchase's story wiped and its question gone: the shop's button
        // stays disabled.
        {"a facility's button left dead", Mode::Click,
         With(PurchaseAsked(), {"set StoryName \"\"", "set WaitingAnswer False", "unload frmUnderMes"}), true},
        // The purchase's story wiped, its question left on the bar: its
        // choices answer nothing.
        {"a question nobody answers", Mode::Click, With(PurchaseAsked(), {"set StoryName \"\""}), true},
    };
    for (const auto& c : cases) {
        const Options o = Fresh(c.mode);
        const auto f = Check(o, InTheShop(o, c.more), true);
        if (c.stuck) EXPECT_TRUE(f && (f->kind == "stuck" || f->kind == "invariant")) << c.what << ": " << Kind(f);
        else EXPECT_FALSE(f) << c.what << ": " << Kind(f);
    }
}

// A run's bound is shorter than a lock-up takes to tell: one that stands
// when the bound is reached is played on until it is told, and a run that
// is only paused at its end is not.
TEST(SoakTest, LockUpStandingAtTheEndOfAShortRunIsStillFound) {
    // The fortune teller's deal refused for want of the lake's water.
    const std::vector<std::string> refusedFortune = {"select frmItemShop.lstList 1", "click frmItemShop.cmdBuy", "key G",
                                                     "expect bar \"イザベラ：潤沢の水がないわ。諦めましょう\""};
    // Its story left where a refusal once left it after ten clicks on the
    // bar: in her talk, with an offer taken for pending that nobody made.
    // Her button answers nothing for the rest of the visit, while the menu
    // still opens.
    const auto deadFortune = With(refusedFortune, {"set StoryNo 12", "set OfferPending True", "set NoClick 2"});
    // Nine of the item shop's first item in the sack: each click on 買う
    // says so again, the line the bar already shows.
    std::vector<std::string> nineAskedAgain = {"key Apps", "menu 看板へ", "wait 3000", "key Apps", "menu 道具屋",
                                                   "wait 3000", "select frmItemShop.lstList 1"};
    for (int click = 0; click < 40; ++click) nineAskedAgain = With(nineAskedAgain, {"click frmItemShop.cmdBuy", "wait 1000"});
    nineAskedAgain.push_back("expect bar \"イザベラ：同じ種類の道具は9個までしか持てないわ\"");
    const struct {
        const char* what;
        const char* start;
        Mode mode;
        std::vector<std::string> setUp;
        bool stuck;
    } cases[] = {
        // (The open shop, where the clock keeps the screen changing, is in the
        // table above: in a whole run she may still restart the program
        // before the shop has stood long enough to hold her there.)
        {"quitting with no question", "shop", Mode::Click, {"set GameEnding True"}, true},
        {"quitting with no question, auto mode", "shop", Mode::Auto, {"set GameEnding True"}, true},
        {"quitting with the shop open", "shop", Mode::Click, {"key Apps", "menu 開店", "wait 2000", "set GameEnding True"}, true},
        {"a facility's button that answers nothing", "fortune-teller", Mode::Click, deadFortune, true},
        {"nothing wrong", "shop", Mode::Click, {}, false},
        {"paused", "shop", Mode::Click, {"key C"}, false},
        {"nothing wrong, auto mode", "shop", Mode::Auto, {}, false},
        {"a refused fortune", "fortune-teller", Mode::Click, refusedFortune, false},
        {"a purchase refused with the same line every time", "full-sack-bag", Mode::Click, nineAskedAgain, false},
    };
    for (const auto& c : cases) {
        Options o = Fresh(c.mode);
        o.start = c.start;
        o.inputs = c.mode == Mode::Click ? 300 : 1000000000L;
        o.virtualMs = c.mode == Mode::Auto ? 3LL * 3600 * 1000 : 0;
        o.shorten = false;
        o.setUp = c.setUp;
        const Outcome r = Play(o);
        if (c.stuck) EXPECT_TRUE(r.finding && r.finding->kind == "stuck") << c.what << ": " << Kind(r.finding);
        else EXPECT_FALSE(r.finding) << c.what << ": " << Kind(r.finding);
    }
}

// The number game takes its guesses in its own box, for as long as the
// player takes over them: the main bar goes on showing the answer that
// began it, which is no question left standing.
TEST(SoakTest, SlowNumberGameIsNoLockUp) {
    const Options o = Fresh();
    std::vector<std::string> lines = {"seed 11", "dir " + o.folder + " empty", "start"};
    const StartPoint* game = FindStart("number-game");
    ASSERT_TRUE(game);
    lines.insert(lines.end(), game->road.begin(), game->road.end());
    for (int guess = 0; guess < 3; ++guess) {
        for (int i = 0; i < 550; ++i) lines.push_back("click frmUnderMes3");
        lines.insert(lines.end(), {"wait 1300000", "type frmUnderMes3.txtNumber 0", "click frmUnderMes3.cmdOK", "wait 1000"});
    }
    EXPECT_EQ(Kind(Check(o, lines, true)), "nothing");
}

// What the watch for a standing question takes for one: a choice that a
// click on the bar still answers. The number game's offer answered by key
// leaves the choice taken, "[やる(Y)]", on the main bar for the whole game
// while the guesses are typed on the third; a click on it is a plain click.
TEST(SoakTest, ChoiceLeftByAKeysAnswerIsNoQuestion) {
    const Options o = Fresh();
    std::ostringstream out;
    SimDriver driver(nullptr);
    ScriptRunner runner(driver, [&]() -> Game& { return driver.MakeGame(); }, out);
    int n = 0;
    auto run = [&](const std::string& line) { runner.RunLine(line, ++n); };
    for (const std::string& line : std::vector<std::string>{"seed 11", "dir " + o.folder + " empty", "start"}) run(line);
    const StartPoint* s = FindStart("number-game");
    ASSERT_TRUE(s);
    // Its road ends with the offer answered: "key Y", then the game's check.
    ASSERT_GE(s->road.size(), 2u);
    ASSERT_EQ(s->road[s->road.size() - 2], "key Y");
    for (size_t i = 0; i + 2 < s->road.size(); ++i) run(s->road[i]);
    Game& g = *driver.game;
    EXPECT_TRUE(AnyShownChoice(g)) << "the offer asks";
    run("key Y");
    run("expect EventName GameStart");
    run("expect frmUnderMes.LBLMessage(0).Caption やる(Y)");
    EXPECT_FALSE(AnyShownChoice(g)) << "the guesses are awaited";
    LockupWatch watch;
    // Longer than a question may stand, shorter than a place may be kept.
    const long inputs = 1600;
    const std::int64_t ms = 2LL * 60 * 60 * 1000;
    for (long i = 0; i <= inputs; ++i) watch.Observe(g, i, ms * i / inputs, 0);
    EXPECT_FALSE(watch.Holding(inputs));
    EXPECT_FALSE(watch.Found(inputs, ms)) << watch.Found(inputs, ms)->detail;
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

// The number game waits on her guesses alone, so she must play it out
// within the bounds of a place left: as a clicking player, typing numbers
// of every size into its box (only numbers up to its largest, 30 to 50
// on the first road, are guesses), and in auto mode, where auto mode asked
// for during the game comes on when it ends and she does not switch it off
// again meanwhile. Each guess judged is a step on: she is not kept at one
// place by a game that goes on. Each seed once played it too slowly and was
// taken for a lock-up.
TEST(SoakTest, NumberGameIsPlayedOutWithinTheBoundsOfAPlace) {
    const std::pair<Mode, std::uint64_t> cases[] = {{Mode::Click, 30}, {Mode::Click, 34}, {Mode::Auto, 5068}};
    for (const auto& [mode, seed] : cases) {
        Options o = Fresh(mode);
        o.seed = seed;
        o.start = "number-game";
        o.inputs = mode == Mode::Click ? 3000 : 1000000000L;
        o.virtualMs = mode == Mode::Auto ? 6LL * 60 * 60 * 1000 : 0;
        o.shorten = false;
        const Outcome r = Play(o);
        EXPECT_TRUE(r.started) << ModeName(mode);
        EXPECT_EQ(Kind(r.finding), "nothing") << ModeName(mode);
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

TEST(SoakTest, ContinuingGivesTheGameAsItWasWhenTheSaveWasWritten) {
    const std::vector<std::string> toBoard = {"key Apps", "menu 看板へ", "wait 3000"};
    const std::vector<std::string> saveAndContinue = {"key Apps", "menu セーブ", "wait 1000", "key Y", "wait 2000",
                                                      "restart", "start", "click frmOpen.cmdContinue(1)", "wait 1000"};
    const struct {
        const char* what;
        std::vector<std::string> before, asked;
    } cases[] = {
        {"saved as asked", toBoard, {}},
        // The speed and the pause changed while the question waits: the file
        // keeps them as they were at the answer.
        {"speed and pause changed before the answer", toBoard, {"key S", "key C"}},
        // Saved, the speed changed, and saved again over it: the second
        // file is what a continue gives back.
        {"saved again", With(toBoard, {"key Apps", "menu セーブ", "wait 1000", "key Y", "wait 2000", "key S"}), {}},
        // A fire detection contract just bought at the estate agent.
        {"a contract just bought",
         With(toBoard, {"set MyGold 100000", "key Apps", "menu 不動産屋", "wait 3000", "select frmItemShop.lstList 5",
                        "click frmItemShop.cmdBuy", "wait 1000", "click frmUnderMes.LBLMessage(0)", "wait 1000",
                        "key Y", "wait 2000", "key Apps", "menu 看板へ", "wait 3000"}),
         {}},
    };
    for (const auto& c : cases) {
        const Options o = Fresh();
        std::vector<std::string> more = c.before;
        for (const auto& line : saveAndContinue) {
            more.push_back(line);
            if (line == "wait 1000" && more.size() == c.before.size() + 3) more.insert(more.end(), c.asked.begin(), c.asked.end());
        }
        const auto f = Check(o, InTheShop(o, more), false);
        EXPECT_EQ(Kind(f), "nothing") << c.what;
    }
}

// A game saved twice within one tick of the file system's clock keeps its
// time and size; the second save is seen all the same.
TEST(SoakTest, ASaveWrittenAgainWithTheSameTimeAndSizeIsSeen) {
    namespace fs = std::filesystem;
    const fs::path folder = Fresh().folder;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path here = fs::current_path();
    fs::current_path(folder);
    const auto write = [](const char* bytes) { std::ofstream("Quorvane_1.dat", std::ios::binary) << bytes; };
    SaveWatch watch;
    EXPECT_FALSE(watch.Written(1)) << "no file yet";
    write("speed 1");
    EXPECT_TRUE(watch.Written(1));
    EXPECT_FALSE(watch.Written(1)) << "nothing written since";
    const auto time = fs::last_write_time("Quorvane_1.dat");
    write("speed 2");
    fs::last_write_time("Quorvane_1.dat", time);
    EXPECT_TRUE(watch.Written(1));
    EXPECT_TRUE(watch.Exists(1));
    fs::remove("Quorvane_1.dat");
    EXPECT_TRUE(watch.Written(1));
    EXPECT_FALSE(watch.Exists(1));
    fs::current_path(here);
}

TEST(SoakTest, RunIsRepeatableAndItsFindingReplaysInTheSimulator) {
    Options o = Fresh(Mode::Click);
    o.inputs = 300;
    const Outcome a = Play(o), b = Play(o);
    EXPECT_EQ(a.script, b.script);
    EXPECT_EQ(a.virtualMs, b.virtualMs);
    EXPECT_GE(a.inputs, 300);  // and on past the bound until the game has moved on

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
    // The road's own lines are not the player's inputs; past the bound she
    // plays on only until the game has moved on.
    EXPECT_GE(r.inputs, 20);
    EXPECT_LT(r.inputs, 200);
    EXPECT_TRUE(r.reached.count("facility:Smith"));
    EXPECT_TRUE(r.reached.count("board:鍛冶屋"));
    EXPECT_TRUE(r.reached.count("area:Rein"));
    // The bosses the road's stage sets are not counted as beaten in the run.
    EXPECT_FALSE(r.reached.count("boss:0"));

    Report report;
    report.Add("smith", r);
    std::ostringstream out;
    report.Print(out);
    EXPECT_NE(out.str().find("start smith runs 1 played 1 inputs " + std::to_string(r.inputs) + " "), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("target smith facility:Smith hit"), std::string::npos) << out.str();
    EXPECT_EQ(report.Unplayed(), 0);
}

// A starting point stands where play can stand: at stage 10 the queen's
// quest has begun the fortune teller's story, so the castle's talk does not
// begin it again and leave her talk with nothing to tell.
TEST(SoakTest, StartingPointsStoryGoesOnAsPlayedAfterIt) {
    const Options o = Fresh();
    std::vector<std::string> lines = {"seed 11", "dir " + o.folder + " empty", "start"};
    const StartPoint* amulet = FindStart("amulet");
    ASSERT_TRUE(amulet);
    lines.insert(lines.end(), amulet->road.begin(), amulet->road.end());
    lines.insert(lines.end(), {"key Apps", "menu 城内"});
    for (int i = 0; i < 30; ++i) lines.push_back("key G");
    lines.insert(lines.end(), {"wait 3000", "key Apps", "menu 占いの館", "wait 1000"});
    for (int i = 0; i < 15; ++i) lines.push_back("key G");
    EXPECT_EQ(Kind(Check(o, lines, true)), "nothing");
}

// Starting points at the turns that are rare in play: the faint that comes
// on the tick a customer is brought to the door, a fortune asked with no
// water of the lake, and quitting asked over the lake guardian's talk.
// Both modes play on from there without a finding.
TEST(SoakTest, StartingPointsReachTheRareTurns) {
    const struct {
        const char* start;
        std::vector<std::string> setUp;
        const char* bar;
    } cases[] = {
        {"shop-faint", {}, "イザベラ：い……意識が………"},
        {"fortune-teller", {"select frmItemShop.lstList 1", "click frmItemShop.cmdBuy", "key G"},
         "イザベラ：潤沢の水がないわ。諦めましょう"},
        {"lake-quit", {}, "終了しますか？ [終了する(Y)] [終了しない(N/G)]"},
    };
    for (const auto& c : cases)
        for (Mode mode : {Mode::Click, Mode::Auto}) {
            Options o = Fresh(mode);
            o.start = c.start;
            o.inputs = 0;  // only the road and the set-up, then on until the game has moved on
            o.virtualMs = mode == Mode::Auto ? 1 : 0;
            o.shorten = false;
            o.setUp = c.setUp;
            o.setUp.push_back(std::string("expect bar \"") + c.bar + "\"");
            const Outcome r = Play(o);
            EXPECT_TRUE(r.started) << c.start << ": " << Kind(r.finding);
            EXPECT_FALSE(r.finding) << c.start << ": " << Kind(r.finding);
        }
}

// From a starting point, what a player does next reaches its place: she
// turns auto mode on and leaves the game to it, clicking on now and then.
// A heroine of a late stage at level 1 fainted at the first monster and
// woke at home; a warp point
// nine floors above a boss, or a road's far end two hundred steps away,
// left a player who stops and turns now and then short of it.
TEST(SoakTest, StartingPointsLeadToTheirPlacesWhenPlayedOn) {
    const struct {
        const char* start;
        const char* place;
        int minutes;
    } cases[] = {
        {"cave-boss", "story:BossTurn", 10},
        {"tower-middle", "story:BossTurn", 10},
        {"last-boss", "story:BossTurn", 10},
        {"road-hanosiro", "story:BossTurn", 5},
        {"road-morielf", "area:Elwind", 2},
        {"road-sirotou", "area:Tou", 2},
        {"road-hanomori", "area:Rein", 5},
    };
    for (const auto& c : cases) {
        Options o = Fresh(Mode::Auto);
        o.start = c.start;
        o.inputs = 0;
        o.virtualMs = 1;  // only the road and the set-up, then on until the game has moved on
        o.shorten = false;
        o.setUp = {"key A"};
        // (The talk of a boss waits on her clicks, auto mode or not.)
        for (int i = 0; i < c.minutes * 12; ++i) o.setUp.insert(o.setUp.end(), {"wait 5000", "key G"});
        const Outcome r = Play(o);
        EXPECT_TRUE(r.started) << c.start << ": " << Kind(r.finding);
        EXPECT_TRUE(r.reached.count(c.place)) << c.start << " never reached " << c.place;
    }
}

// A game continued from a file brings the bosses and fights of the game
// that was saved: none of them was won in this session.
TEST(SoakTest, ContinuedGameCountsNoBossOrFightAsWon) {
    const Options o = Fresh();
    std::ostringstream out;
    SimDriver driver(nullptr);
    ScriptRunner runner(driver, [&]() -> Game& { return driver.MakeGame(); }, out);
    Coverage coverage;
    int n = 0;
    auto run = [&](const std::string& line) {
        if (driver.game) coverage.BeforeLine(*driver.game, driver.host, line);
        runner.RunLine(line, ++n);
        if (line == "restart") coverage.NewSession();
        if (driver.game) coverage.AfterLine(*driver.game);
    };
    // A stage 4 game (the first road's boss beaten, fights won and lost)
    // saved to file 1 from the board of Rein.
    coverage.OnRoad(true);
    for (const auto& line : FromStart(o, "rein", {"set EnemyCount 40", "set DieCount 3", "key Apps", "menu セーブ", "key Y",
                                                  "expect BossOK(0) True"}))
        run(line);
    coverage.OnRoad(false);
    for (const std::string line : {"restart", "start", "click frmOpen.cmdContinue(1)", "wait 1000", "expect BossOK(0) True",
                                   "expect FieldName Rein"})
        run(line);
    for (const char* key : {"boss:0", "fight:won", "fight:fainted"})
        EXPECT_FALSE(coverage.reached().count(key)) << key;
    std::filesystem::current_path(std::filesystem::temp_directory_path());
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

// A starting point's story stage comes with what play has done by then:
// at stage 10 the queen has long given her errand, so the castle does not
// give it again and the rescued fortune teller goes on with her story.
TEST(SoakTest, StoryStageOfAStartingPointIsOnePlayMakes) {
    std::vector<std::string> castle = {"key Apps", "menu 城内", "expect EventField Siro"};
    for (int i = 0; i < 20; ++i) castle.push_back("key G");
    const std::vector<std::string> fortune = {"expect EventField Board", "expect FortuneFlg 4", "key Apps",
                                              "menu 占いの館", "key G", "expect bar 占いババ：おぉ！あんたはこの前の……"};
    const Options o = Fresh();
    EXPECT_EQ(Kind(Check(o, FromStart(o, "amulet", With(castle, fortune)), false)), "nothing");
}

// A road leads where it should whatever the game draws on the way: the
// royal order's road once waited in the open shop after the order, where
// the next visit could be drawn and 閉店 be shut; the dungeon roads take
// the stairs floor by floor, and the roads walk most of the way, among the
// walk's other draws.
TEST(SoakTest, RoadGetsThereWhateverTheGameDraws) {
    Options o = Fresh();
    const std::pair<const char*, std::uint64_t> starts[] = {
        {"royal-order-due", 40}, {"cave-boss", 10},     {"tower-middle", 10},  {"last-boss", 10},
        {"road-hanomori", 10},   {"road-morielf", 10},  {"road-hanosiro", 10}, {"road-sirotou", 10},
    };
    for (const auto& [start, seeds] : starts)
        for (std::uint64_t seed = 1; seed <= seeds; ++seed) {
            o.seed = seed;
            EXPECT_EQ(Kind(Check(o, FromStart(o, start), false)), "nothing") << start << ", seed " << seed;
        }
}

// Rows selected in a list window are there to be acted on: as often as
// not, her next input is one of that window's buttons.
TEST(SoakTest, RowsSelectedAreActedOnWithTheirWindowsButton) {
    int actedOn = 0;
    const int runs = 12;
    for (int seed = 1; seed <= runs; ++seed) {
        Options o = Fresh();
        o.seed = std::uint64_t(seed);
        o.start = "shop";
        o.inputs = 1;
        o.shorten = false;
        o.setUp = {"key 9 +Shift", "select frmSack.lstList 1", "expect frmSack.cmdDump.Enabled True"};
        const Outcome r = Play(o);
        ASSERT_FALSE(r.finding) << Kind(r.finding);
        const auto after = std::find(r.script.begin(), r.script.end(), "expect frmSack.cmdDump.Enabled True");
        ASSERT_NE(after, r.script.end());
        if (after + 1 != r.script.end() && after[1].rfind("click frmSack.cmd", 0) == 0) ++actedOn;
    }
    EXPECT_GE(actedOn, runs / 3);
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
