// The lock-ups that a changing screen hides from "nothing new to see": a
// place the player can never leave though the clock runs on, a question
// whose choices answer nothing, a window left taking nothing.
// Each is a stretch of the player's trying; while one runs, she does not
// quit, so the stretch is not cut short by a new program start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace q {
class Form;
class Game;
class SimHost;
}  // namespace q

namespace q::soak {

// A choice of a question is shown on one of the bars.
bool AnyShownChoice(Game& g);

// The window a town facility deals in. (The list, settings and jewel
// windows beside it have buttons that rightly do nothing at times: no row
// chosen, the last page turned.)
bool IsFacilityWindow(const std::string& form);

// What a click on a window's button can change for the player to see: the
// bars and their question, the windows shown, the window's own controls and
// her money and goods.
std::string Response(Game& g, const Form& window);

class LockupWatch {
public:
    struct Lockup {
        std::string detail;
        std::size_t line = 0;  // the script's line where the stretch began
    };

    // After every line played: `inputs` counted so far, the virtual time,
    // and the number of script lines.
    void Observe(Game& g, long inputs, std::int64_t nowMs, std::size_t lines);
    // The game ended or started afresh: no scene, no window, no question.
    void Clear(long inputs, std::int64_t nowMs, std::size_t lines);
    // The popup menu was asked for (the menu key, a right click on the
    // stage or a bar), and whether it opened.
    void MenuAsked(bool opened) { menuRefused_ = opened ? 0 : menuRefused_ + 1; }
    // A button of a facility's window was clicked, with `answered`
    // whether the click changed anything the player sees (Answered).
    void Pressed(const std::string& button, bool answered, long inputs, std::int64_t nowMs, std::size_t lines);

    // A stretch long enough to be a lock-up.
    std::optional<Lockup> Found(long inputs, std::int64_t nowMs) const;
    // A stretch that has run for a while: the player keeps trying instead
    // of quitting.
    bool Suspicious(long inputs) const;
    // A question or a window that has taken nothing for a while: she does
    // not walk out of the facility either, which would close it.
    bool Holding(long inputs) const;
    // How often the place has changed: replays use it to tell a game that moved on.
    long PlaceChanges() const { return placeChanges_; }

private:
    struct Stretch {
        std::string what;
        long inputs = 0;
        std::int64_t ms = 0;
        std::size_t line = 0;
    };
    static void Follow(std::optional<Stretch>& s, const std::string& what, long inputs, std::int64_t nowMs,
                       std::size_t lines);

    std::optional<Stretch> place_;
    std::optional<Stretch> question_;
    std::map<std::string, Stretch> deadWindows_;
    // The buttons of this visit that answered none of their clicks since
    // they last did something, with how many clicks.
    std::map<std::string, std::pair<Stretch, long>> deadButtons_;
    long placeChanges_ = 0;
    long menuRefused_ = 0;  // the menu asked for and not opened, in a row
};

}  // namespace q::soak
