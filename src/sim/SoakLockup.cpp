#include "sim/SoakLockup.h"

#include <algorithm>

#include "core/Game.h"
#include "core/frmUnderMes.h"
#include "core/frmUnderMes2.h"
#include "field/frmUnderMes3.h"
#include "sim/SimHost.h"

namespace q::soak {

namespace {

// The same place through this many inputs and this much virtual time,
// though the player tried everything, is a place she can never leave.
constexpr long StayInputs = 2000;
constexpr std::int64_t StayMs = 3LL * 60 * 60 * 1000;
// A question left standing, or a window that takes nothing, this long.
constexpr long DeadInputs = 1500;
constexpr std::int64_t DeadMs = 60LL * 60 * 1000;
// A button clicked this often in one visit without answering any of the
// clicks, through a dead stretch's inputs and time, takes nothing.
constexpr long DeadClicks = 30;
// After this many inputs of a stretch she stops walking away from it.
constexpr long WaryInputs = 20;
// After this many clicks that a button did not answer, likewise.
constexpr long WaryClicks = 2;
// The menu asked for this many times in a row without opening: she does not
// quit (a game whose menu never opens again may still quit).
constexpr long WaryMenuAsks = 3;
constexpr long WaryPlaceInputs = 500;

const Form* Shown(const Form* f) { return f && f->loaded() && f->Visible ? f : nullptr; }

std::array<const Form*, 3> Bars(Game& g) {
    return {g.frmUnderMes.peek(), g.frmUnderMes2.peek(), g.frmUnderMes3.peek()};
}

// A bar asks while a choice stands on its label 1 or 2: two choices alone
// put the first on label 0 and the second on label 1, a line with choices
// puts them on 1 and 2. Label 0 alone is a line to a click, underlined or
// not: an answer by key clears only the choice labels, so the choice taken
// stays there (the number game's "[やる(Y)]" stands above its own bar for
// the whole game).
bool ShowsChoice(const Form& bar) {
    for (const Control* c : bar.controls())
        if (c->kind() == ControlKind::Label && c->Index() >= 1 && c->Visible && c->Enabled && c->FontUnderline &&
            !static_cast<const Label*>(c)->Caption->empty())
            return true;
    return false;
}

// Where she is: the scene, the area, the place in it, the floor, the step
// of a road, whether the shop is open, and in the number game the guess
// she is at (the game stands on the road and waits on her guesses alone:
// each one judged is a step on, as a floor is in a dungeon). A road of two
// hundred steps, its fights fled back along it, may take her longer than
// any one place should.
std::string Place(const Game& g) {
    return g.SceneFormName + "/" + g.FieldName + "/" + g.EventField + "/" + std::to_string(g.NowFloor) +
           (g.SceneFormName == "frmField" ? "/step " + std::to_string(g.RoadPos) : "") + (g.ShopOpen ? "/open" : "") +
           (g.EventName == "GameStart" ? "/guess " + std::to_string(g.GameTriesUsed) : "");
}

// The bars that ask a question, with what they say.
std::string Question(Game& g) {
    std::string text;
    for (const Form* bar : Bars(g))
        if (Shown(bar) && ShowsChoice(*bar)) text += bar->Name() + ": " + SimHost::BarText(*bar) + "\n";
    return text;
}

// A window beside the scene and the bars whose every control the player
// could use (buttons, lists, boxes) is shown disabled: it takes nothing.
bool TakesNothing(const Form& f) {
    bool any = false;
    for (const Control* c : f.controls()) {
        switch (c->kind()) {
            case ControlKind::CommandButton:
            case ControlKind::CheckBox:
            case ControlKind::OptionButton:
            case ControlKind::TextBox:
            case ControlKind::ListView:
                if (!c->Visible) break;
                if (c->Enabled) return false;
                any = true;
                break;
            default: break;
        }
    }
    return any;
}

std::string Minutes(std::int64_t ms) { return std::to_string(ms / 60000) + " virtual minutes"; }

}  // namespace

bool IsFacilityWindow(const std::string& form) { return form == "frmItemShop"; }

std::string Response(Game& g, const Form& window) {
    std::string r = g.WaitingAnswer ? "asks\n" : "\n";
    for (const Form* bar : Bars(g))
        if (Shown(bar)) r += bar->Name() + ": " + SimHost::BarText(*bar) + "\n";
    for (const Form* f : g.app.Forms())
        if (Shown(f)) r += f->Name() + " ";
    r += "\n";
    for (const Control* c : window.controls()) {
        r += c->path() + (c->Visible ? "" : " hidden") + (c->Enabled ? "" : " off");
        if (c->kind() == ControlKind::Label) r += " " + static_cast<const Label*>(c)->Caption.get();
        if (c->kind() == ControlKind::CommandButton) r += " " + static_cast<const CommandButton*>(c)->Caption.get();
        if (c->kind() == ControlKind::ListView) r += " rows " + std::to_string(static_cast<const ListView*>(c)->Count());
        r += "\n";
    }
    for (Long v : {g.MyGold, g.HaveSack, g.HaveBag, g.HaveShop, g.HaveStock})
        r += std::to_string(v) + " ";
    return r;
}

bool AnyShownChoice(Game& g) {
    for (const Form* bar : Bars(g))
        if (Shown(bar) && ShowsChoice(*bar)) return true;
    return false;
}

void LockupWatch::Follow(std::optional<Stretch>& s, const std::string& what, long inputs, std::int64_t nowMs,
                         std::size_t lines) {
    if (what.empty()) {
        s.reset();
        return;
    }
    if (!s || s->what != what) s = Stretch{what, inputs, nowMs, lines};
}

void LockupWatch::Observe(Game& g, long inputs, std::int64_t nowMs, std::size_t lines) {
    const std::string place = Place(g);
    if (place_ && place_->what != place) {
        ++placeChanges_;
        deadButtons_.clear();  // a new visit
    }
    Follow(place_, place, inputs, nowMs, lines);
    Follow(question_, Question(g), inputs, nowMs, lines);
    std::map<std::string, Stretch> dead;
    const auto bars = Bars(g);
    for (Form* f : g.app.Forms()) {
        if (!Shown(f) || f == g.StageForm || std::find(bars.begin(), bars.end(), f) != bars.end()) continue;
        if (!TakesNothing(*f)) continue;
        const auto it = deadWindows_.find(f->Name());
        dead[f->Name()] = it != deadWindows_.end() ? it->second : Stretch{f->Name(), inputs, nowMs, lines};
    }
    deadWindows_ = std::move(dead);
}

void LockupWatch::Clear(long inputs, std::int64_t nowMs, std::size_t lines) {
    if (place_) ++placeChanges_;
    place_ = Stretch{"(no game)", inputs, nowMs, lines};
    question_.reset();
    deadWindows_.clear();
    deadButtons_.clear();
    menuRefused_ = 0;
}

void LockupWatch::Pressed(const std::string& button, bool answered, long inputs, std::int64_t nowMs, std::size_t lines) {
    if (answered) {
        deadButtons_.erase(button);
        return;
    }
    auto it = deadButtons_.find(button);
    if (it == deadButtons_.end()) it = deadButtons_.emplace(button, std::pair{Stretch{button, inputs, nowMs, lines}, 0L}).first;
    ++it->second.second;
}

std::optional<LockupWatch::Lockup> LockupWatch::Found(long inputs, std::int64_t nowMs) const {
    auto over = [&](const Stretch& s, long n, std::int64_t ms) { return inputs - s.inputs >= n && nowMs - s.ms >= ms; };
    auto lasted = [&](const Stretch& s) {
        return std::to_string(inputs - s.inputs) + " inputs and " + Minutes(nowMs - s.ms);
    };
    if (question_ && over(*question_, DeadInputs, DeadMs))
        return Lockup{"the same question stood for " + lasted(*question_) + ", every choice tried: " + question_->what,
                      question_->line};
    for (const auto& [name, s] : deadWindows_)
        if (over(s, DeadInputs, DeadMs))
            return Lockup{"the window " + name + " took nothing for " + lasted(s), s.line};
    for (const auto& [name, dead] : deadButtons_)
        if (dead.second >= DeadClicks && over(dead.first, DeadInputs, DeadMs))
            return Lockup{"the button " + name + " answered none of " + std::to_string(dead.second) + " clicks in " +
                              lasted(dead.first),
                          dead.first.line};
    if (place_ && over(*place_, StayInputs, StayMs))
        return Lockup{"never left " + place_->what + " in " + lasted(*place_) + ", though everything was tried",
                      place_->line};
    return std::nullopt;
}

bool LockupWatch::Holding(long inputs) const {
    if (question_ && inputs - question_->inputs >= WaryInputs) return true;
    for (const auto& [name, s] : deadWindows_)
        if (inputs - s.inputs >= WaryInputs) return true;
    for (const auto& [name, dead] : deadButtons_)
        if (dead.second >= WaryClicks) return true;
    return false;
}

bool LockupWatch::Suspicious(long inputs) const {
    return Holding(inputs) || (place_ && inputs - place_->inputs >= WaryPlaceInputs) || menuRefused_ >= WaryMenuAsks;
}

}  // namespace q::soak
