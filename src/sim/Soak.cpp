#include "sim/Soak.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "core/Game.h"
#include "core/GoToPlace.h"
#include "core/StateColumns.h"
#include "core/frmOpen.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "field/frmUnderMes3.h"
#include "save/SaveFile.h"
#include "save/SaveFormat.h"
#include "save/WholeFile.h"
#include "sim/Script.h"
#include "sim/SimDriver.h"
#include "sim/SoakCoverage.h"
#include "sim/SoakLockup.h"
#include "sim/SoakStarts.h"

// Built with AddressSanitizer, its report ends the program through a callback.
#if defined(__SANITIZE_ADDRESS__)
#define QUORVANE_HAVE_SANITIZER_CALLBACK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUORVANE_HAVE_SANITIZER_CALLBACK 1
#endif
#endif
#ifdef QUORVANE_HAVE_SANITIZER_CALLBACK
#include <sanitizer/common_interface_defs.h>
#endif

namespace q::soak {

namespace {

// A stretch with nothing new for the player to see, however the keys, the
// clicks and the menus are tried, is a lock-up.
constexpr long StuckInputs = 1500;
constexpr std::int64_t StuckMs = 60LL * 60 * 1000;
// Auto mode left alone this long with nothing new: the player starts trying.
// Auto mode leaves some things to her (the robber's question, the helping
// swordsman's lines, a faint on the road): she comes back to the game after
// a while, not after hours.
constexpr std::int64_t AutoQuietMs = 10LL * 60 * 1000;

constexpr int SetupLines = 3;  // seed, dir, start

std::string Quote(const std::string& s) {
    if (!s.empty() && s.find_first_of(" \t\"") == std::string::npos) return s;
    std::string out = "\"";
    for (char c : s) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// ---------------------------------------------------------------------------
// One game on the simulator host, driven line by line as a script would be.

class Session {
public:
    Session() : driver_(nullptr), runner_(driver_, [this]() -> Game& { return driver_.MakeGame(); }, null_) {}

    // Runs one line; what it threw (the game's exception, or a line the
    // game's state no longer allows) comes back as text.
    std::optional<std::string> Exec(const std::string& line) {
        lines.push_back(line);
        try {
            runner_.RunLine(line, int(lines.size()));
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::nullopt;
    }
    Game* game() { return driver_.game.get(); }
    SimHost& host() { return driver_.host; }

    std::vector<std::string> lines;

private:
    std::ostream null_{nullptr};
    SimDriver driver_;
    ScriptRunner runner_;
};

// ---------------------------------------------------------------------------
// What the player sees that tells the game has moved on: the bars, the scene
// and its buttons, the figures, the clock and the heroine's numbers. The list
// and settings windows only look at the game, so they do not count.

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    h ^= v + 0x9E3779B97F4A7C15ULL + (h << 6) + (h >> 2);
    return h;
}

std::uint64_t MixText(std::uint64_t h, const std::string& s) { return Mix(h, std::hash<std::string>{}(s)); }

const Form* ShownForm(const Form* f) { return f && f->loaded() && f->Visible ? f : nullptr; }

std::uint64_t Fingerprint(Game& g, const SimHost& host) {
    std::uint64_t h = 1;
    for (const Form* bar : {static_cast<const Form*>(g.frmUnderMes.peek()), static_cast<const Form*>(g.frmUnderMes2.peek()),
                            static_cast<const Form*>(g.frmUnderMes3.peek())})
        if (ShownForm(bar)) h = MixText(MixText(h, bar->Name()), SimHost::BarText(*bar));
    if (const Form* scene = ShownForm(g.StageForm)) {
        h = MixText(h, scene->Name());
        for (const Control* c : scene->controls())
            if (c->kind() == ControlKind::CommandButton && c->Visible && c->Enabled)
                h = MixText(h, static_cast<const CommandButton*>(c)->Caption);
        const auto& frame = host.LastFrame();
        // What stands where, whatever the order it was drawn in and however
        // often; the marks of the settings are left out: switching auto mode
        // or the pause on and off redraws the scene, but moves nothing on.
        if (frame.form == scene) {
            std::set<std::tuple<std::uint64_t, std::uint64_t, std::uint64_t>> shown;
            for (const auto& s : frame.image)
                if (s.sprite != AutoMark && s.sprite != PauseMark)
                    shown.emplace(std::uint64_t(s.sprite), std::uint64_t(s.x), std::uint64_t(s.y));
            for (const auto& [sprite, x, y] : shown) h = Mix(Mix(Mix(h, sprite), x), y);
        }
    }
    for (Long v : {g.NowTime, g.NowDay, g.NowMonth, g.NowYear, g.MyGold, g.MyNowHp, g.MyFame, g.MyLevel, g.MyNowEx,
                   g.MyNowBody, g.MyNowWater, g.HaveShopNum, g.HaveStockNum, g.HaveBagNum, g.HaveSack})
        h = Mix(h, std::uint64_t(std::uint32_t(v)));
    return h;
}

// ---------------------------------------------------------------------------
// The rules of the state that hold after every input.

std::optional<std::string> BrokenRule(Game& g) {
    auto range = [](const char* name, long long v, long long lo, long long hi) -> std::optional<std::string> {
        if (v >= lo && v <= hi) return std::nullopt;
        return std::string(name) + " = " + std::to_string(v) + ", outside " + std::to_string(lo) + ".." + std::to_string(hi);
    };
    // Before the title has set up a game every variable is still 0.
    if (g.NowYear == 0) return std::nullopt;
    const std::optional<std::string> checks[] = {
        range("MyGold", g.MyGold, 0, 999999999),
        range("MyFame", g.MyFame, 0, 9999),
        range("MyLevel", g.MyLevel, 1, 99),
        range("MyNowEx", g.MyNowEx, 0, INT32_MAX),
        range("MyNowHp", g.MyNowHp, 0, g.MyMaxHp),
        range("MyNowBody", g.MyNowBody, 0, g.MyMaxBody),
        range("MyNowWater", g.MyNowWater, 0, g.MyMaxWater),
        range("NowTime", g.NowTime, 0, 99),
        range("NowDay", g.NowDay, 1, 29),
        range("NowMonth", g.NowMonth, 1, 12),
        range("NowYear", g.NowYear, 3050, INT32_MAX),
        range("HaveShopNum", g.HaveShopNum, 0, g.NowMaxShop),
        range("HaveStockNum", g.HaveStockNum, 0, g.NowMaxStock),
        range("HaveBagNum", g.HaveBagNum, 0, g.NowMaxBag),
        range("HaveSack", g.HaveSack, 0, g.NowMaxSack),
        range("HaveShop", g.HaveShop, 0, g.HaveShopNum),
        range("HaveStock", g.HaveStock, 0, g.HaveStockNum),
        range("HaveBag", g.HaveBag, 0, g.HaveBagNum),
        range("NowRequest", g.NowRequest, 0, 5),
        range("WoodNum", g.WoodNum, 0, 99999),
    };
    for (const auto& c : checks)
        if (c) return c;
    for (size_t i = 0; i < g.Condition.size(); ++i)
        if (g.Condition[i] < 0) return "Condition(" + std::to_string(i) + ") = " + std::to_string(g.Condition[i]);
    // Each packed list: its used entries hold pieces, and they add up to its total.
    auto packed = [](const char* name, Long used, Long total, auto&& count, Long most) -> std::optional<std::string> {
        long long sum = 0;
        for (Long i = 0; i < used; ++i) {
            const Long n = count(i);
            if (n < 1 || n > most)
                return std::string(name) + "(" + std::to_string(i) + ") holds " + std::to_string(n) + " pieces";
            sum += n;
        }
        if (total >= 0 && sum != total)
            return std::string(name) + " holds " + std::to_string(sum) + " pieces, its total says " + std::to_string(total);
        return std::nullopt;
    };
    if (auto e = packed("MyShopArms", g.HaveShop, g.HaveShopNum, [&](Long i) { return g.MyShopArms[size_t(i)].SShopArmsNum; }, INT32_MAX)) return e;
    if (auto e = packed("MyStockArms", g.HaveStock, g.HaveStockNum, [&](Long i) { return g.MyStockArms[size_t(i)].SStockArmsNum; }, INT32_MAX)) return e;
    if (auto e = packed("MyBag", g.HaveBag, g.HaveBagNum, [&](Long i) { return g.MyBag[size_t(i)].HHaveBagNum; }, INT32_MAX)) return e;
    if (auto e = packed("MySack", g.HaveSack, -1, [&](Long i) { return g.MySack[size_t(i)].HHaveSackNum; }, 9)) return e;
    // A question that waits for its answer shows a choice to give it with.
    if (g.WaitingAnswer && !AnyShownChoice(g))
        return "a question waits (" + g.StoryName + " " + std::to_string(g.StoryNo) + ") and no bar shows a choice";
    // A list window that waits for a confirmation has its question open.
    if (g.ListConfirm && !g.WaitingAnswer && g.StoryName.empty())
        return "a list window waits for a confirmation (" + g.ListName + ") that no question asks";
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// The variables a save file keeps, by name.

std::map<std::string, std::string> SavedFields(Game& g) {
    static const std::vector<std::string> saved = [&g] {
        const auto names = g.vars.names();
        std::vector<std::string> out;
        for (const auto& c : StateColumns()) {
            if (!c.saved) continue;
            const std::string row(c.name);
            for (const auto& name : names)
                if (name == row || name.rfind(row + "(", 0) == 0 || name.rfind(row + ".", 0) == 0) out.push_back(name);
        }
        for (const auto& name : names)
            for (const std::string field : {".LArmsSetPrice", ".LArmsList", ".LKeyList", ".LGyokuList", ".SLSmithRecipe", ".SLCarpenOk"})
                if (name.size() > field.size() && name.ends_with(field)) out.push_back(name);
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }();
    std::map<std::string, std::string> out;
    for (const auto& name : saved) out[name] = FormatValue(g.vars.get(g, name));
    return out;
}

// An entry past the used count of its packed list holds stale contents,
// which a save file does not keep.
bool Stale(const std::string& name, const std::map<std::string, std::string>& fields) {
    static const std::pair<const char*, const char*> lists[] = {{"MySack(", "HaveSack"},      {"MyBag(", "HaveBag"},
                                                                {"MyShopArms(", "HaveShop"},  {"MyStockArms(", "HaveStock"},
                                                                {"MyRequestArms(", "NowRequest"}};
    for (const auto& [prefix, count] : lists) {
        if (name.rfind(prefix, 0) != 0) continue;
        const auto it = fields.find(count);
        if (it == fields.end()) return false;
        return std::stol(name.substr(std::string(prefix).size())) >= std::stol(it->second);
    }
    return false;
}

// The differences of two sets of fields, the first few.
std::string Differences(const std::map<std::string, std::string>& want, const std::map<std::string, std::string>& got) {
    std::string text;
    int shown = 0, more = 0;
    for (const auto& [name, value] : want) {
        if (Stale(name, want)) continue;
        auto it = got.find(name);
        const std::string now = it == got.end() ? "(missing)" : it->second;
        if (now == value) continue;
        if (shown < 6) {
            text += (text.empty() ? "" : ", ") + name + " saved " + value + " but " + now;
            ++shown;
        } else {
            ++more;
        }
    }
    if (more) text += " and " + std::to_string(more) + " more";
    return text;
}

// The fields of save file `slot` (1 or 2) as a fresh game loads them.
std::optional<std::map<std::string, std::string>> FileFields(int slot) {
    SimHost host(nullptr);
    Game scratch(host);
    if (!LoadGame(scratch, slot)) return std::nullopt;
    return SavedFields(scratch);
}

// ---------------------------------------------------------------------------
// The player: what can be done now, and a choice among it.

class Player {
public:
    explicit Player(std::uint64_t seed) : rng_(seed * 0x9E3779B97F4A7C15ULL + 12345) {}

    double Uniform() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    long Between(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(rng_); }
    template <class T>
    const T& Pick(const std::vector<T>& v) { return v[size_t(Between(0, long(v.size()) - 1))]; }

    // A wait of 0.1 s to minutes, mostly short.
    std::string Wait() {
        const double u = Uniform();
        long ms = u < 0.6 ? Between(100, 1500) : u < 0.85 ? Between(1500, 10000) : u < 0.97 ? Between(10000, 60000) : Between(60000, 300000);
        return "wait " + std::to_string(ms);
    }
    // Auto mode left alone: seconds to minutes.
    std::string LongWait() { return "wait " + std::to_string(Between(5000, 300000)); }

    // The inputs a player has at hand now.
    // With `mayQuit` false she does not quit; with `mayLeave` false she does
    // not walk out of a facility either.
    std::vector<std::string> Inputs(Game& g, SimHost& host, bool autoMode, bool mayQuit, bool mayLeave) {
        std::vector<std::string> keys, clicks, menu;
        if (MenuItem* open = host.OpenMenu()) {
            for (const MenuItem* item : open->children)
                if (item->Visible && item->Enabled && !item->isSeparator() && item->children.empty()) {
                    if (!mayQuit && item->Caption.get() == "終了") continue;
                    if (!mayLeave && item->Caption.get() == "看板へ") continue;
                    menu.push_back("menu " + Quote(item->Caption));
                    // Saving from the board is tried often enough to continue it later.
                    if (item->Caption.get() == "セーブ" && Uniform() < 0.3) return {menu.back()};
                    // Quitting is tried, but seldom: she plays on (auto mode more so).
                    if (item->Caption.get() == "終了" && Uniform() < (autoMode ? 0.9 : 0.7)) menu.pop_back();
                }
        }
        if (g.frmUnderMes.loaded() && SimHost::BarText(*g.frmUnderMes.peek()).find("にセーブします") != std::string::npos &&
            Uniform() < 0.5)
            return {"key Y"};
        const bool keyTarget = ShownForm(g.StageForm) || g.frmUnderMes.loaded() || ShownForm(g.frmUnderMes2.peek());
        if (keyTarget) {
            for (const char* k : {"G", "Enter", "Y", "N", "A", "C", "S", "T", "M", "F", "Apps"}) {
                if (autoMode && std::string(k) == "A") continue;
                keys.push_back(std::string("key ") + k);
            }
            keys.push_back("key " + std::to_string(Between(0, 9)) + " +Shift");
        }
        for (Form* f : g.app.Forms()) {
            if (!f->loaded() || !f->Visible) continue;
            const bool stage = f == g.StageForm;
            if (!stage) {
                clicks.push_back("click " + f->Name());
                clicks.push_back("click " + f->Name() + " right");
            }
            for (Control* c : f->controls()) {
                if (!c->Visible || !c->Enabled) continue;
                const std::string path = c->path();
                switch (c->kind()) {
                    case ControlKind::Label:
                        if (static_cast<Label*>(c)->Caption->empty()) break;
                        clicks.push_back("click " + path);
                        clicks.push_back("click " + path + " right");
                        break;
                    case ControlKind::CommandButton:
                    case ControlKind::CheckBox:
                    case ControlKind::OptionButton:
                        // Quitting from the title is tried, but seldom.
                        if (path == "frmOpen.cmdExit" && (!mayQuit || Uniform() < 0.9)) break;
                        clicks.push_back("click " + path);
                        break;
                    case ControlKind::TextBox: clicks.push_back("type " + path + " " + Typed()); break;
                    case ControlKind::ListView: {
                        const auto& lv = *static_cast<ListView*>(c);
                        if (lv.Count() == 0) break;
                        std::string rows = std::to_string(Between(1, lv.Count()));
                        if (lv.MultiSelect && Uniform() < 0.3) rows += " " + std::to_string(Between(1, lv.Count()));
                        if (rows.find(' ') != std::string::npos && rows.substr(0, rows.find(' ')) == rows.substr(rows.find(' ') + 1))
                            rows = rows.substr(0, rows.find(' '));
                        clicks.push_back("select " + path + " " + rows);
                        clicks.push_back("dblclick " + path);
                        break;
                    }
                    default: break;
                }
            }
        }
        // The number game is played as she would play it: a guess within
        // the range it names, as often as anything else, given with Enter
        // or with its button.
        if (const frmUnderMes3* game = g.frmUnderMes3.peek();
            game && ShownForm(game) && game->txtNumber.Visible && game->txtNumber.Enabled && Uniform() < 0.5)
            return {"type frmUnderMes3.txtNumber " + std::to_string(Between(0, std::max<long>(0, g.GameMax))) +
                    (Uniform() < 0.5 ? "{Enter}" : "")};
        // The figures on the stage take clicks on their pixels.
        const auto& frame = host.LastFrame();
        if (ShownForm(g.StageForm) && frame.form == g.StageForm && !frame.image.empty()) {
            const StageSprite& s = Pick(frame.image);
            if (s.outlineCount > 0) {
                const PixelRect& r = s.outline[0];
                const int x = s.x + (r.left + r.right) / 2, y = s.y + (r.top + r.bottom) / 2;
                clicks.push_back("click stage " + std::to_string(x) + " " + std::to_string(y));
                clicks.push_back("click stage " + std::to_string(x) + " " + std::to_string(y) + " right");
            }
        }
        // An open menu is mostly answered; otherwise keys and clicks alike.
        std::vector<std::string> out;
        const double u = Uniform();
        if (!menu.empty() && u < 0.7) return menu;
        if ((u < 0.45 || clicks.empty()) && !keys.empty()) return keys;
        if (!clicks.empty()) return clicks;
        return menu;
    }

    // A number as a player types it into a number box: one, two or three
    // digits alike (a box that takes small numbers only, as the number
    // game's, gets them as often as one that takes hundreds), now and then
    // far too many.
    std::string Typed() {
        std::string t;
        const double u = Uniform();
        if (u < 0.1) t = "";
        else if (u < 0.8) {
            static const long lowest[] = {0, 10, 100, 1000};
            const long digits = Between(1, 3);
            t = std::to_string(Between(lowest[digits - 1], lowest[digits] - 1));
        }
        else t = std::to_string(Between(0, 99999999));
        if (Uniform() < 0.15) t += "{Backspace}";
        if (Uniform() < 0.8) t += "{Enter}";
        return t.empty() ? "{Enter}" : t;
    }

    // She reads on through the talk: a new line on the bar, now and then,
    // has her click it (or press G or Enter) several times in a row without
    // a look at anything else, until the bar is gone or her patience is.
    std::optional<std::string> ReadOn(Game& g, SimHost& host) {
        if (!g.frmUnderMes.loaded() || !ShownForm(g.frmUnderMes.peek()) || host.OpenMenu()) {
            readOn_ = 0;
            return std::nullopt;
        }
        const std::string line = SimHost::BarText(*g.frmUnderMes.peek());
        const bool newLine = line != lastLine_;
        lastLine_ = line;
        if (readOn_ == 0 && Uniform() < (newLine ? 0.2 : 0.01)) {
            static const char* const ways[] = {"click frmUnderMes.LBLMessage(0)", "key G", "key Enter"};
            readOnLine_ = ways[Between(0, 2)];
            readOn_ = Between(3, 24);
        }
        if (readOn_ == 0) return std::nullopt;
        --readOn_;
        return readOnLine_;
    }

    // An answer for a message box or an input box, now and then.
    std::optional<std::string> BoxAnswer() {
        const double u = Uniform();
        if (u < 0.02) return "msgbox " + std::string(Uniform() < 0.5 ? "No" : "Cancel");
        if (u < 0.03) return "input " + std::to_string(Between(0, 200));
        return std::nullopt;
    }

private:
    std::mt19937_64 rng_;
    long readOn_ = 0;  // clicks left of her reading on
    std::string readOnLine_;
    std::string lastLine_;  // the main bar's text when she last looked
};

// What auto mode takes from a menu to get running: the shop, the roads and
// the dungeon of a board.
bool IsWayOut(const std::string& caption) {
    static const char* const ways[] = {"開店",       "看板へ",   "夢追い堂", "中へ",         "ハノダ",        "レインウッド",
                                       "エルウインド", "深淵窟",   "ネクザスの塔", "アミュレット城"};
    for (const char* w : ways)
        if (caption == w) return true;
    return false;
}

// ---------------------------------------------------------------------------
// A run: plays, watches every rule after every line, and stops at the first
// finding.

class Run {
public:
    Run(const Options& o, std::uint64_t playerSeed) : o_(o), player_(playerSeed), start_(FindStart(o.start)) {}

    // Plays fresh until the run's bound or a finding.
    std::optional<Finding> Play(Outcome& out);
    // Plays the given lines, then (when `confirmStuck`) tries for a stuck
    // state as the run does; the finding of this replay, if any.
    std::optional<Finding> Replay(const std::vector<std::string>& lines, bool confirmStuck);

    const std::vector<std::string>& Lines() const { return s_.lines; }
    // The lines up to the last thing that was new to see.
    std::size_t LastProgressLine() const { return lastProgressLine_; }

    long inputs = 0;
    int sessions = 0;
    bool started = false;  // the road to the starting point was played to its end
    Coverage coverage;

private:
    std::optional<Finding> PlayRoad();
    std::optional<Finding> Restart();
    std::optional<Finding> Step(const std::string& line);
    std::optional<std::string> PressedButton(const std::string& line);
    void JudgePress();
    std::optional<Finding> Found(std::string kind, std::string detail) {
        return Finding{std::move(kind), std::move(detail), s_.lines};
    }
    // A program start; `road`: one that takes the road to the starting point.
    std::optional<Finding> StartSession(bool first, bool road);
    std::optional<Finding> PlayOne(bool probing);
    std::int64_t Now() { return s_.host().Elapsed(); }
    std::optional<Finding> Stuck();
    std::optional<Finding> StuckAnyway();
    std::optional<Finding> MarkedStuck(const std::string& detail, std::size_t line);
    // She does not quit while something looks stuck, nor walk out of a
    // facility whose question or window has taken nothing for a while.
    bool MayQuit() const { return inputs - lastProgressInput_ < 20 && !watch_.Suspicious(inputs); }
    bool MayLeave() const { return !watch_.Holding(inputs); }

    const Options& o_;
    Player player_;
    Session s_;
    std::unordered_set<std::uint64_t> seen_;
    long lastProgressInput_ = 0;
    std::int64_t lastProgressMs_ = 0;
    std::size_t lastProgressLine_ = 0;
    long progressCount_ = 0;
    LockupWatch watch_;
    SaveWatch files_;
    std::optional<std::map<std::string, std::string>> saved_[3];
    const StartPoint* start_;
    bool onRoad_ = false;
    std::int64_t idleMs_ = 0;
    std::optional<std::pair<std::string, std::string>> press_;  // the button clicked last, what was shown before
    std::string unanswered_;  // the button clicked last, when nothing came of it
    std::string selectedIn_;  // the window whose rows the last input selected
};

// A lock-up, told by what the game shows and where its story stands. The
// script marks where the trying began.
std::optional<Finding> Run::Stuck() {
    return MarkedStuck("nothing new to see for " + std::to_string(inputs - lastProgressInput_) + " inputs and " +
                           std::to_string((Now() - lastProgressMs_) / 60000) + " virtual minutes",
                       lastProgressLine_);
}

// A lock-up that the screen's changes hide: a place never left, a question
// or a window that takes nothing.
std::optional<Finding> Run::StuckAnyway() {
    const auto found = watch_.Found(inputs, Now());
    if (!found) return std::nullopt;
    lastProgressLine_ = found->line;
    return MarkedStuck(found->detail, found->line);
}

std::optional<Finding> Run::MarkedStuck(const std::string& what, std::size_t line) {
    Game& g = *s_.game();
    const Form* bar2 = ShownForm(g.frmUnderMes2.peek());
    const std::string detail = what + "; StoryName \"" + g.StoryName + "\" StoryNo " + std::to_string(g.StoryNo) +
                               ", scene " + g.SceneFormName + (g.AutoNext ? ", auto mode" : "") +
                               (g.MenuLocked ? ", menu locked" : "") + ", bar \"" +
                               (g.frmUnderMes.loaded() ? SimHost::BarText(*g.frmUnderMes.peek()) : "") + "\"" +
                               (bar2 ? ", second bar \"" + SimHost::BarText(*bar2) + "\"" : "");
    Finding f{"stuck", detail, s_.lines};
    const auto at = f.script.begin() + long(std::min(line, f.script.size()));
    f.script.insert(at, "# The lock-up stands from here: every input is tried after this and nothing moves on.");
    return f;
}

std::optional<Finding> Run::StartSession(bool first, bool road) {
    if (!first) {
        if (auto e = s_.Exec("restart")) return Found("error", *e);
        // The road is played under the run's own seed every time, so it
        // leads where it led the first time whatever the game draws on the
        // way; a session from the title draws from a seed of its own.
        const std::uint64_t seed = road ? o_.seed : o_.seed + std::uint64_t(sessions) * 7919;
        if (auto e = s_.Exec("seed " + std::to_string(seed))) return Found("error", *e);
    }
    ++sessions;
    seen_.clear();
    coverage.NewSession();
    if (auto e = s_.Exec("start")) return Found("error", *e);
    return std::nullopt;
}

// Plays the road to the run's starting point. A line of it that fails (a
// command the game refuses, an `expect` that does not hold) means the
// starting point was not reached: a finding of its own.
std::optional<Finding> Run::PlayRoad() {
    if (!start_) return std::nullopt;
    onRoad_ = true;
    coverage.OnRoad(true);
    for (const auto& line : start_->road) {
        std::optional<Finding> f = Step(line);
        if (!f) continue;
        onRoad_ = false;
        coverage.OnRoad(false);
        if (f->kind == "error") {
            f->kind = "start";
            f->detail = "the road to " + start_->name + " stopped: " + f->detail;
        }
        return f;
    }
    onRoad_ = false;
    started = true;
    coverage.OnRoad(false);
    // The road's own lines are no player's inputs: the watch for a lock-up starts here.
    lastProgressInput_ = inputs;
    lastProgressMs_ = Now();
    lastProgressLine_ = s_.lines.size();
    return std::nullopt;
}

// A new program start; most of the time she takes the road to the
// starting point again, else she plays from the title.
std::optional<Finding> Run::Restart() {
    const bool road = start_ && player_.Uniform() < 0.5;
    if (auto f = StartSession(false, road)) return f;
    if (road) return PlayRoad();
    return std::nullopt;
}

std::string WindowOf(const std::string& control) { return control.substr(0, control.find('.')); }

// A line that asks for the popup menu: the menu key, a right click on the
// stage or on a bar.
bool AsksForMenu(const std::string& line) {
    if (line == "key Apps") return true;
    if (line.size() < 6 || line.compare(line.size() - 6, 6, " right") != 0) return false;
    for (const char* where : {"click stage ", "click frmUnderMes ", "click frmUnderMes."})
        if (line.rfind(where, 0) == 0) return true;
    return false;
}

// A line that is the player's doing, not a script's check or setting.
bool IsPlayersInput(const std::string& line) {
    for (const char* verb : {"key ", "click ", "dblclick ", "select ", "type ", "menu ", "drag "})
        if (line.rfind(verb, 0) == 0) return true;
    return false;
}

// The button of a facility's window that the line clicks, if it clicks
// one that is shown and enabled.
std::optional<std::string> Run::PressedButton(const std::string& line) {
    Game* g = s_.game();
    if (!g || line.rfind("click ", 0) != 0) return std::nullopt;
    const std::string path = line.substr(6);
    if (path.find(' ') != std::string::npos || !IsFacilityWindow(WindowOf(path))) return std::nullopt;
    const Form* window = ShownForm(g->FindForm(WindowOf(path)));
    if (!window) return std::nullopt;
    for (const Control* c : window->controls())
        if (c->path() == path)
            return c->kind() == ControlKind::CommandButton && c->Visible && c->Enabled ? std::optional(path) : std::nullopt;
    return std::nullopt;
}

// Whether the button clicked last answered: anything the player sees
// changed from the click up to her next input (a talk it starts may come a
// moment later, on the clock).
void Run::JudgePress() {
    if (!press_) return;
    Game* g = s_.game();
    Form* window = g && !s_.host().Ended() ? g->FindForm(WindowOf(press_->first)) : nullptr;
    const bool answered = !window || !window->loaded() || Response(*g, *window) != press_->second;
    watch_.Pressed(press_->first, answered, inputs, Now(), s_.lines.size());
    unanswered_ = answered ? "" : press_->first;
    press_.reset();
}

std::optional<Finding> Run::Step(const std::string& line) {
    // Waits and the answers to boxes are no inputs of their own.
    const bool input = line.rfind("wait", 0) != 0 && line.rfind("msgbox", 0) != 0 && line.rfind("input", 0) != 0;
    if (input && !onRoad_) ++inputs;
    const bool continuing = line.rfind("click frmOpen.cmdContinue(", 0) == 0;
    const int slot = continuing ? line[std::string("click frmOpen.cmdContinue(").size()] - '0' : 0;
    if (Game* before = s_.game()) coverage.BeforeLine(*before, s_.host(), line);
    if (input) JudgePress();
    // Rows just selected or a number just typed are there to be acted on
    // (the road's too).
    if (IsPlayersInput(line))
        selectedIn_ = line.rfind("select ", 0) == 0 ? WindowOf(line.substr(7))
                      : line.rfind("type ", 0) == 0 ? WindowOf(line.substr(5))
                                                    : "";
    const long writes = s_.host().BarWrites();
    const std::optional<std::string> button = PressedButton(line);
    if (button) press_ = {*button, Response(*s_.game(), *s_.game()->FindForm(WindowOf(*button)))};
    if (auto e = s_.Exec(line)) return Found("error", *e);
    // A line said on the click is an answer, the same line as before too.
    if (button && s_.host().BarWrites() != writes) press_->second.clear();
    if (line == "restart") {
        seen_.clear();
        coverage.NewSession();
    }
    Game* g = s_.game();
    if (!g || s_.host().Ended()) watch_.Clear(inputs, Now(), s_.lines.size());
    if (!g) return std::nullopt;
    coverage.AfterLine(*g);
    if (auto broken = BrokenRule(*g)) return Found("invariant", *broken);
    // A save just written keeps the game as it stands.
    for (int k = 1; k <= 2; ++k) {
        if (!files_.Written(k)) continue;
        saved_[k] = files_.Exists(k) ? FileFields(k) : std::nullopt;
        if (files_.Exists(k) && !saved_[k]) return Found("save", "save file " + std::to_string(k) + " was written but does not load");
        if (saved_[k] && line.rfind("wait", 0) != 0) {
            const std::string diff = Differences(*saved_[k], SavedFields(*g));
            if (!diff.empty()) return Found("save", "save file " + std::to_string(k) + " does not keep the game: " + diff);
        }
    }
    // A continue restores what was saved.
    if (continuing && (slot == 1 || slot == 2) && saved_[slot] && !s_.host().Ended()) {
        const std::string diff = Differences(*saved_[slot], SavedFields(*g));
        if (!diff.empty()) return Found("continue", "continuing file " + std::to_string(slot) + ": " + diff);
    }
    // Progress: something new for the player to see.
    const std::uint64_t fp = Fingerprint(*g, s_.host());
    if (seen_.size() > 200000) seen_.clear();
    if (seen_.insert(fp).second) {
        lastProgressInput_ = inputs;
        lastProgressMs_ = Now();
        lastProgressLine_ = s_.lines.size();
        ++progressCount_;
    }
    if (!s_.host().Ended()) {
        watch_.Observe(*g, inputs, Now(), s_.lines.size());
        if (AsksForMenu(line)) watch_.MenuAsked(s_.host().OpenMenu() != nullptr);
    }
    return std::nullopt;
}

// One input (with its wait and box answers) of the player.
std::optional<Finding> Run::PlayOne(bool probing) {
    Game* g = s_.game();
    if (!g || s_.host().Ended()) return Restart();
    const bool autoMode = o_.mode == Mode::Auto && !probing;
    // Now and then she quits (as Esc does, without saving) and starts again.
    // (Never in a stretch with nothing new: that would hide a lock-up.)
    if (!g->NewGame && !probing && MayQuit() && player_.Uniform() < (autoMode ? 0.0002 : 0.001)) {
        return Restart();
    }
    if (autoMode) {
        // Auto mode on once the game has begun; then left alone, with a rare input.
        // Auto mode runs the shop and walks the roads and dungeons; elsewhere she
        // plays on until she gets there.
        const bool playing = !g->NewGame && ShownForm(g->StageForm) && g->StageForm != static_cast<Form*>(g->frmOpen.peek());
        const bool running = g->ShopOpen || g->SceneFormName == "frmField";
        // A visit that auto mode leaves to her (the robber, the helping
        // swordsman): she deals with it by hand rather than waiting on.
        const bool visit = g->ShopEventKind != 0;
        // Asked for during an event, auto mode comes on when the event ends;
        // the settings window shows it asked for, and she leaves it so.
        const bool asked = g->AutoNextChange == 2 || (g->AutoNext && g->AutoNextChange != 1);
        if (playing && running && !asked && !s_.host().OpenMenu() && player_.Uniform() < 0.5) return Step("key A");
        if (playing && running && g->AutoNext && !visit && player_.Uniform() < 0.95) return Step(player_.LongWait());
        // Not running yet: out on a road or into the dungeon from a board,
        // or home to the shop and open it, most of the time.
        if (playing && !running && player_.Uniform() < 0.6) {
            if (MenuItem* open = s_.host().OpenMenu()) {
                std::vector<std::string> ways;
                for (const MenuItem* item : open->children)
                    if (item->Visible && item->Enabled && IsWayOut(item->Caption.get())) ways.push_back(item->Caption.get());
                if (!ways.empty()) return Step("menu " + Quote(player_.Pick(ways)));
            } else if (!g->MenuLocked) {
                return Step("key Apps");
            }
        }
    }
    // Rows selected or a number typed in a window she acts on with one of
    // its buttons, as often as not.
    if (const std::string window = std::exchange(selectedIn_, ""); !window.empty() && player_.Uniform() < 0.5)
        if (const Form* f = ShownForm(g->FindForm(window))) {
            std::vector<std::string> buttons;
            for (const Control* c : f->controls())
                if (c->kind() == ControlKind::CommandButton && c->Visible && c->Enabled) buttons.push_back("click " + c->path());
            if (!buttons.empty()) {
                if (auto found = Step(player_.Pick(buttons))) return found;
                return Step(player_.Wait());
            }
        }
    // A button that did nothing she clicks again, as often as not.
    if (!unanswered_.empty() && PressedButton("click " + unanswered_) && player_.Uniform() < 0.5) {
        if (auto f = Step("click " + unanswered_)) return f;
        return Step(player_.Wait());
    }
    if (auto read = player_.ReadOn(*g, s_.host())) {
        if (auto f = Step(*read)) return f;
        return Step("wait " + std::to_string(player_.Between(100, 700)));
    }
    if (auto box = player_.BoxAnswer())
        if (auto f = Step(*box)) return f;
    const std::vector<std::string> inputs = player_.Inputs(*g, s_.host(), o_.mode == Mode::Auto, MayQuit(), MayLeave());
    if (!inputs.empty())
        if (auto f = Step(player_.Pick(inputs))) return f;
    if (player_.Uniform() < 0.7 || inputs.empty()) return Step(player_.Wait());
    return std::nullopt;
}

std::optional<Finding> Run::Play(Outcome& out) {
    std::optional<Finding> found;
    auto done = [&] {
        return inputs >= o_.inputs || (o_.virtualMs > 0 && Now() >= o_.virtualMs);
    };
    if (!(found = Step("seed " + std::to_string(o_.seed))) && !(found = Step("dir " + Quote(o_.folder) + " empty")))
        found = StartSession(true, true);
    if (!found) found = PlayRoad();
    for (const auto& line : o_.setUp)
        if (!found) found = Step(line);
    auto playOn = [&](bool probing) {
        const std::int64_t before = Now();
        found = PlayOne(probing);
        // The time that passed with nothing new to see for a while.
        const std::int64_t idleFrom = std::max(before, lastProgressMs_ + AutoQuietMs);
        if (Now() > idleFrom) idleMs_ += Now() - idleFrom;
        if (!found && inputs - lastProgressInput_ >= StuckInputs && Now() - lastProgressMs_ >= StuckMs) found = Stuck();
        if (!found) found = StuckAnyway();
    };
    while (!found && !done()) playOn(Now() - lastProgressMs_ >= AutoQuietMs);
    // A bound shorter than a lock-up takes to tell ends no run in the middle
    // of one: she plays on, trying everything, until the game has moved on
    // (something new to see, a new place, and nothing left standing) or
    // the lock-up has stood long enough to be a finding.
    const long bound = inputs, progress = progressCount_, places = watch_.PlaceChanges();
    auto movedOn = [&] { return progressCount_ != progress && watch_.PlaceChanges() > places && MayQuit(); };
    while (!found && !movedOn() && inputs - bound < StuckInputs * 2) playOn(true);
    out.inputs = inputs;
    out.virtualMs = Now();
    out.sessions = sessions;
    out.started = started;
    out.idleMs = idleMs_;
    out.reached = coverage.reached();
    return found;
}

std::optional<Finding> Run::Replay(const std::vector<std::string>& lines, bool confirmStuck) {
    for (const auto& line : lines) {
        if (line == "restart") ++sessions;
        if (auto f = Step(line)) return f;
    }
    if (!confirmStuck) return std::nullopt;
    // Tries as the run does; the lines tried become part of the script.
    lastProgressInput_ = inputs;
    lastProgressMs_ = Now();
    lastProgressLine_ = s_.lines.size();
    const long start = inputs, progress = progressCount_, places = watch_.PlaceChanges();
    while (inputs - start < StuckInputs * 2) {
        if (auto f = PlayOne(true)) return f;
        // It moved on: something new to see, two places further (a place
        // can end in a dead one), and nothing left standing.
        if (progressCount_ != progress && watch_.PlaceChanges() >= places + 2 && !watch_.Suspicious(inputs))
            return std::nullopt;
        if (inputs - lastProgressInput_ >= StuckInputs && Now() - lastProgressMs_ >= StuckMs) return Stuck();
        if (auto f = StuckAnyway()) return f;
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Shortening: chunks of the input are left out while the same fault still
// shows (delta debugging over the lines after the set-up).

std::string KindOf(const Finding& f) {
    if (f.kind != "error" && f.kind != "invariant") return f.kind;
    // The rule or message without the line number and the values.
    std::string d = f.detail;
    if (d.rfind("line ", 0) == 0 && d.find(": ") != std::string::npos) d = d.substr(d.find(": ") + 2);
    const auto cut = d.find_first_of("=0123456789");
    return f.kind + ":" + d.substr(0, cut);
}

Finding Shorten(const Options& o, Finding f, size_t progressLine) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(long(o.shortenSeconds * 1000));
    const bool stuck = f.kind == "stuck";
    const std::string kind = KindOf(f);
    std::vector<std::string> head(f.script.begin(), f.script.begin() + std::min<size_t>(SetupLines, f.script.size()));
    std::vector<std::string> body(f.script.begin() + long(head.size()), f.script.end());
    auto attempt = [&](const std::vector<std::string>& candidate) -> std::optional<Finding> {
        std::vector<std::string> all = head;
        all.insert(all.end(), candidate.begin(), candidate.end());
        Run r(o, o.seed ^ 0x5A5A);
        auto got = r.Replay(all, stuck);
        if (got && KindOf(*got) == kind) return got;
        return std::nullopt;
    };
    if (stuck) {
        // The lock-up is already there at the last thing that was new: the
        // rest was the trying, which the replay does afresh.
        const size_t cut = std::min(body.size(), progressLine > head.size() ? progressLine - head.size() : 0);
        std::vector<std::string> c(body.begin(), body.begin() + long(cut));
        if (auto got = attempt(c)) {
            f = *got;
            body = c;
        } else {
            return f;  // the trying itself led there: kept whole
        }
    }
    // Most faults need only the last program start (unless it continued a
    // game saved before).
    for (size_t i = body.size(); i-- > 0;) {
        if (body[i] != "restart") continue;
        std::vector<std::string> c(body.begin() + long(i), body.end());
        if (auto got = attempt(c)) {
            body = c;
            f = *got;
        }
        break;
    }
    size_t n = 2;
    while (body.size() >= 2 && Clock::now() < deadline) {
        const size_t chunk = (body.size() + n - 1) / n;
        bool reduced = false;
        for (size_t start = 0; start < body.size() && Clock::now() < deadline; start += chunk) {
            std::vector<std::string> c(body.begin(), body.begin() + long(start));
            c.insert(c.end(), body.begin() + long(std::min(body.size(), start + chunk)), body.end());
            if (auto got = attempt(c)) {
                body = c;
                // A fault that shows earlier needs none of what followed.
                if (!stuck && got->script.size() < head.size() + body.size())
                    body.assign(got->script.begin() + long(head.size()), got->script.end());
                f = *got;
                n = std::max<size_t>(n - 1, 2);
                reduced = true;
                break;
            }
        }
        if (!reduced) {
            if (n >= body.size()) break;
            n = std::min(body.size(), n * 2);
        }
    }
    return f;
}

// ---------------------------------------------------------------------------
// A crash leaves the lines played so far in the crash file.

std::string crashFile;
const std::vector<std::string>* crashLines = nullptr;

void WriteCrashScript() {
    if (crashFile.empty() || !crashLines) return;
    if (FILE* out = std::fopen(crashFile.c_str(), "w")) {
        std::fputs("# The program died after the last line (a sanitizer report or a fatal signal).\n", out);
        for (const auto& l : *crashLines) {
            std::fputs(l.c_str(), out);
            std::fputc('\n', out);
        }
        std::fclose(out);
    }
}

extern "C" void OnFatalSignal(int sig) {
    WriteCrashScript();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

}  // namespace

bool SaveWatch::Written(int slot) {
    const std::string name = SaveFileName(slot);
    std::error_code ec;
    std::optional<std::string> now;
    if (std::filesystem::exists(name, ec)) now = ReadWholeFile(name).value_or(std::string());
    if (now == files_[slot]) return false;
    files_[slot] = std::move(now);
    return true;
}

const char* ModeName(Mode m) { return m == Mode::Click ? "click" : "auto"; }

void SetCrashFile(const std::string& path) {
    crashFile = path;
#ifdef QUORVANE_HAVE_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(WriteCrashScript);
#endif
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
}

Outcome Play(const Options& options) {
    Outcome out;
    Run run(options, options.seed);
    struct Watch {
        explicit Watch(const std::vector<std::string>* lines) { crashLines = lines; }
        ~Watch() { crashLines = nullptr; }
    };
    std::optional<Finding> found;
    {
        // The run's own session holds the lines; a crash writes them out.
        Watch w(&run.Lines());
        found = run.Play(out);
    }
    out.script = run.Lines();
    if (found && options.shorten) found = Shorten(options, *found, run.LastProgressLine());
    out.finding = found;
    return out;
}

std::optional<Finding> Check(const Options& options, const std::vector<std::string>& lines, bool tryForLockUp) {
    Run run(options, options.seed);
    return run.Replay(lines, tryForLockUp);
}

std::string ScriptText(const Finding& f, const Options& o, const std::string& folder) {
    std::string text = "# " + std::string(ModeName(o.mode)) + " play, seed " + std::to_string(o.seed) + ": " + f.kind + "\n";
    text += "# " + f.detail + "\n";
    for (const auto& line : f.script) {
        if (line.rfind("dir ", 0) == 0) text += "dir " + Quote(folder) + " empty\n";
        else text += line + "\n";
    }
    return text;
}

}  // namespace q::soak
