// The script language of quorvane-sim: one command a line, driving a game
// the way a player would, and checking what it shows.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace q {

class Game;
class MenuItem;
class Control;

// What a script needs of the host beyond the Host interface.
class ScriptDriver {
public:
    virtual ~ScriptDriver() = default;
    virtual void Advance(long long ms) = 0;
    virtual void QueueMsgBoxAnswer(int answer) = 0;
    virtual void QueueInputAnswer(std::string text) = 0;
    virtual void Note(const std::string& line) = 0;
    virtual void Flush() = 0;
    // The script has run out of lines: the game is the player's from here on.
    virtual void Finished() {}
    // The program quits and starts again in the same folder: the game is
    // dropped and the next command builds a fresh one. False when the host
    // cannot.
    virtual bool Restart() { return false; }
    // Set-up commands; false when the host cannot honour them.
    virtual bool SetSeed(unsigned long long) { return false; }
    virtual bool SetScreen(int, int, int) { return false; }
    virtual bool SetWorkArea(int /*x*/, int /*y*/, int /*width*/, int /*height*/) { return false; }
    // Writes the screen as a player sees it to a PNG file; false when this
    // host cannot, with the reason in `error`.
    virtual bool WriteFrame(const std::string& /*path*/, std::string& error) {
        error = "this host writes no pictures";
        return false;
    }
    // The popup menu that is open (a host whose menus are modal has none).
    virtual MenuItem* OpenMenu() { return nullptr; }
    virtual void CloseMenu() {}
    // The next drag of a window moves it by this many pixels.
    virtual bool QueueDrag(int, int) { return false; }
    // The control that has the keyboard focus, or null.
    virtual const Control* Focused() { return nullptr; }
    // Until a control given the focus has it (a desktop hands the keyboard
    // over a moment later).
    virtual void AwaitFocus(const Control&) {}
};

class ScriptError : public std::runtime_error {
public:
    ScriptError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line(line) {}
    int line;
};

// Splits a script line into words; double quotes keep spaces, and "" inside
// quotes stands for one quote.
std::vector<std::string> SplitWords(const std::string& line);

class ScriptRunner {
public:
    // `makeGame` builds the game when the first command needs it, so that
    // set-up commands can come before.
    ScriptRunner(ScriptDriver& driver, std::function<Game&()> makeGame, std::ostream& out);

    // Runs every line; throws ScriptError at the first failure.
    void Run(std::istream& in);
    void RunLine(const std::string& line, int number);

private:
    Game& game();
    void Start();
    void Key(const std::vector<std::string>& w);
    void Click(const std::vector<std::string>& w);
    void DblClick(const std::vector<std::string>& w);
    void Select(const std::vector<std::string>& w);
    void Type(const std::vector<std::string>& w);
    void Drag(const std::vector<std::string>& w);
    void ClickStage(const std::vector<std::string>& w);
    void Expect(const std::vector<std::string>& w);
    void Dump();
    std::string Actual(const std::string& what);

    ScriptDriver& driver_;
    std::function<Game&()> makeGame_;
    Game* game_ = nullptr;
    std::ostream& out_;
    int line_ = 0;
    std::string lastResult_;  // what the last `call` returned, for `expect result`
};

}  // namespace q
