// quorvane-deskplay: a player at random on the real desktop. It starts the
// game (the command after --) on the X display it is given, and plays it as
// a person at the desktop does, with inputs drawn from a seed and put in
// through XTest as xdotool does: right clicks on the figures and on the
// game's windows, clicks on the items of the popup menus, clicks on the bar
// and the windows, the game's keys, Alt+F4 and the taskbar's close on the
// game's windows, answers to its dialogs, and clicks and typing into another
// program, which holds the keyboard part of the time. While it plays it
// watches for
//   a crash            the game ends on a signal or with an exit code
//   a sanitizer report in the game's standard error
//   a hang             the game's windows stop answering the window
//                      manager's ping (_NET_WM_PING) for --hang seconds (30)
//   a focus steal      while the other program holds the keyboard, a game
//                      window becomes the active one without a click of the
//                      player's on the game
//   an unasked quit    the game ends after a close of one of its windows,
//                      or with no answer of the player's that could be a yes
//   a broken frame     a grab of the screen whose figures differ from the
//                      stage's frame the game says it drew (FrameProbe.h)
//                      while nothing else has changed the screen since. After
//                      another window went, moved or came over the stage, or
//                      in pixels the window manager's frame around the stage
//                      has only just taken in following the stage's new shape
//                      (X shows the game's pixels there only once the game has
//                      painted what was exposed), the same frame still
//                      differing once the game has answered two pings. A
//                      stage window that moved is never excused.
// On a finding it prints the seed, what it found and the last inputs. It
// stops at the first unless --keep-going, when it starts the game again
// after a crash or a quit and counts; either way it ends with a line of
// totals and exit code 1 when anything was found.
//   quorvane-deskplay --seed N --seconds S --other NAME --game-err FILE
//                     [--keep-going] [--hang S] [--shots DIR] [--log FILE]
//                     [--no-closes] [--no-frame-check] [--watch] -- GAME ARGS...
// --no-closes leaves out Alt+F4 and the taskbar's close, --no-frame-check
// the grabs: to look for the other faults while these are known. --watch
// puts in no input at all and grabs every 20 ms until the game ends (a
// game driven by its own --script): an end with 0 is then no finding.
// With --shots the first few frames checked are written there too, the
// screen beside the frame drawn (checked-SEED-N-*.ppm).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "stage/RegionRecord.h"
#include "stage/frm_RGN_Picture.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    std::uint64_t seed = 1;
    double seconds = 60;
    std::string other = "another program";
    std::string gameErr;
    std::string shots;
    std::string log;
    bool keepGoing = false;
    bool closes = true, frames = true, watch = false;
    double hang = 30;
    std::vector<std::string> game;
};

struct Top {
    Window frame = 0;   // the root's child
    Window client = 0;  // the program's own window inside it (the frame itself when unmanaged)
    int x = 0, y = 0, w = 0, h = 0;
    bool viewable = false, overrideRedirect = false, game = false, dialog = false, other = false;
};

struct Probe {
    unsigned long long serial = 0;
    bool done = false;
    Window window = 0;
    int scale = 1;
    int left = 0, top = 0;
    struct Sprite {
        int n, x, y;
    };
    std::vector<Sprite> sprites;
};

struct Totals {
    long inputs = 0, starts = 0, crashes = 0, sanitizer = 0, hangs = 0, steals = 0, unasked = 0, broken = 0,
         askedQuits = 0, framesChecked = 0, brokenStill = 0, differing = 0;
    long Findings() const { return crashes + sanitizer + hangs + steals + unasked + broken; }
};

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// Asked to stop (by a test's time-out, or Ctrl+C): the game goes with us.
volatile sig_atomic_t stopAsked = 0;
void AskStop(int) { stopAsked = 1; }

class Player {
public:
    explicit Player(Options o) : o_(std::move(o)), rng_(o_.seed * 0x9E3779B97F4A7C15ULL + 7) {}
    int Run();

private:
    // --- the game process
    void StartGame();
    // Sees whether the game has ended; classifies and counts the end.
    void CheckGame();
    std::string NewErrText();
    // --- X
    Atom A(const char* name) { return XInternAtom(d_, name, False); }
    long CardinalOf(Window w, Atom prop);
    std::vector<Top> Tops();
    bool IsGameWindow(Window w);
    void Pump(double ms);
    void HandleEvent(XEvent& e);
    void Ping();
    bool SendPing();
    bool RoundTrip();
    // --- the frame check
    bool ReadProbe(Probe& p);
    // The frame's figures in the area of the screen at x0, y0, w x h (device
    // pixels): each sprite inside its outline, in painting order; 0 where
    // nothing of the stage shows.
    std::vector<std::uint32_t> Paint(const Probe& p, int x0, int y0, int w, int h);
    // The screen's pixels of the area of a frame's figures, and the frame.
    struct Grab {
        int x0 = 0, y0 = 0, w = 0, h = 0;
        std::vector<std::uint32_t> shot, want;
    };
    // Mismatched pixels of the screen against the probe's frame, or -1 when
    // nothing could be checked.
    long CompareFrame(const Probe& p, Grab& g);
    void CheckFrame();
    // Another window went, moved, came or changed places with the stage
    // since the game last answered two pings: what it uncovered may not be
    // painted yet.
    void Disturbed() { disturbedAt_ = pingSerial_; }
    bool Settled() const { return answered_ >= disturbedAt_ + 2; }
    // The window manager gives the frame around the stage's window each new
    // shape of the window when it gets to it; the pixels the frame takes in
    // show what the game paints once it has handled their exposure. Whether
    // a pixel of the screen is one of those, not yet settled.
    std::vector<XRectangle> FrameShape(Window frame);
    void Reshaped();
    bool TakenInByReshape(int x, int y);
    void Drain();
    // --- inputs
    void Input();
    void Note(const std::string& what);
    void Move(int x, int y) { XTestFakeMotionEvent(d_, -1, x, y, 0); }
    void Click(int x, int y, int button, const std::string& what);
    void Key(KeySym key, std::initializer_list<KeySym> mods, const std::string& what, bool asking = false);
    void CloseRequest(const Top& t);
    bool PickInside(const Top& t, const std::vector<Top>& tops, int& x, int& y, bool lowerThird = false, bool middle = false);
    void Find(const std::string& what, const std::string& detail);
    long Between(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(rng_); }
    double Uniform() { return std::uniform_real_distribution<double>(0, 1)(rng_); }
    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    Options o_;
    std::mt19937_64 rng_;
    Display* d_ = nullptr;
    Window root_ = 0;
    int screenW_ = 0, screenH_ = 0;
    Atom active_ = 0, pidAtom_ = 0, probeAtom_ = 0, protocols_ = 0, ping_ = 0, closeWindow_ = 0, type_ = 0, dialogType_ = 0,
         wmState_ = 0;
    pid_t game_ = -1;
    long errRead_ = 0;
    Clock::time_point start_ = Clock::now();
    Totals t_;
    bool stop_ = false;
    // The other program has the keyboard from the player's click on it until
    // the player clicks anything else.
    bool otherHolds_ = false;
    Window otherClient_ = 0;
    // Pings: the last sent, and when the game last answered one.
    long pingSerial_ = 0, answered_ = 0;
    Clock::time_point waitingSince_, lastPing_;
    bool killedForHang_ = false;
    Clock::time_point lastFrameCheck_;
    // The last inputs that could end the game: a close request, or an answer
    // that could be yes.
    enum class Last { Nothing, Asking, Close } lastEnding_ = Last::Nothing;
    Clock::time_point lastEndingAt_;
    std::deque<std::string> recent_;
    std::ofstream log_;
    int shotCount_ = 0;
    std::map<std::string, int> seen_;
    std::map<unsigned long long, std::pair<int, int>> boxes_;
    std::map<unsigned long long, Probe> frames_;
    // The stage's frame among the root's children, with its place and size.
    Window stageTop_ = 0;
    std::map<Window, std::array<int, 4>> places_;
    long disturbedAt_ = -2;
    int shapeEvent_ = -1;
    // A compositing window manager owns the screen: what it shows of a
    // frame follows when it next paints, not when the game has drawn.
    bool composited_ = false;
    struct Reshape {
        long ping;
        std::vector<XRectangle> before, after;  // on the screen
    };
    std::vector<XRectangle> frameShape_;
    std::deque<Reshape> reshapes_;
    // The last frame told done, and the frame shown when the stage's window
    // last took a new place.
    unsigned long long lastDone_ = 0, movedUnder_ = 0;
    int checkedShots_ = 0;
};

long Player::CardinalOf(Window w, Atom prop) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    long v = -1;
    if (XGetWindowProperty(d_, w, prop, 0, 1, False, AnyPropertyType, &type, &format, &n, &after, &data) == Success && data) {
        if (n == 1 && format == 32) v = long(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return v;
}

bool Player::IsGameWindow(Window w) { return game_ > 0 && w && CardinalOf(w, pidAtom_) == long(game_); }

std::vector<Top> Player::Tops() {
    std::vector<Top> out;
    Window r, parent, *kids = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d_, root_, &r, &parent, &kids, &n)) return out;
    for (unsigned i = 0; i < n; ++i) {
        Top t;
        t.frame = kids[i];
        XWindowAttributes a;
        if (!XGetWindowAttributes(d_, kids[i], &a)) continue;
        t.x = a.x, t.y = a.y, t.w = a.width + 2 * a.border_width, t.h = a.height + 2 * a.border_width;
        t.viewable = a.map_state == IsViewable;
        t.overrideRedirect = a.override_redirect;
        if (!t.viewable) {
            out.push_back(t);
            continue;
        }
        // The program's window: the frame itself, or the first window with a
        // WM_STATE inside it.
        t.client = kids[i];
        if (CardinalOf(kids[i], pidAtom_) < 0) {
            std::vector<Window> todo{kids[i]};
            for (int depth = 0; depth < 3 && !todo.empty(); ++depth) {
                std::vector<Window> next;
                for (Window w : todo) {
                    Window rr, pp, *cc = nullptr;
                    unsigned m = 0;
                    if (!XQueryTree(d_, w, &rr, &pp, &cc, &m)) continue;
                    for (unsigned k = 0; k < m; ++k) next.push_back(cc[k]);
                    if (cc) XFree(cc);
                }
                for (Window w : next) {
                    Atom type;
                    int format;
                    unsigned long nn, after;
                    unsigned char* data = nullptr;
                    if (XGetWindowProperty(d_, w, wmState_, 0, 1, False, AnyPropertyType, &type, &format, &nn, &after,
                                           &data) == Success && data) {
                        XFree(data);
                        t.client = w;
                        next.clear();
                        break;
                    }
                    if (data) XFree(data);
                }
                if (t.client != kids[i]) break;
                todo = std::move(next);
            }
        }
        t.game = IsGameWindow(t.client);
        t.other = t.client == otherClient_;
        if (t.game) {
            Atom type;
            int format;
            unsigned long nn, after;
            unsigned char* data = nullptr;
            if (XGetWindowProperty(d_, t.client, type_, 0, 8, False, XA_ATOM, &type, &format, &nn, &after, &data) ==
                    Success && data) {
                for (unsigned long k = 0; k < nn; ++k)
                    if (reinterpret_cast<Atom*>(data)[k] == dialogType_) t.dialog = true;
                XFree(data);
            }
        }
        out.push_back(t);
    }
    if (kids) XFree(kids);
    return out;
}

void Player::StartGame() {
    t_.starts++;
    // The frame an earlier game told stays on the root after it ends, and
    // its stage window's id may by now name a window of the new game: only
    // frames the new game tells are believed.
    XDeleteProperty(d_, root_, probeAtom_);
    XSync(d_, False);
    boxes_.clear();
    frames_.clear();
    stageTop_ = 0;
    reshapes_.clear();
    frameShape_.clear();
    lastDone_ = movedUnder_ = 0;
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (!o_.gameErr.empty()) {
            const int fd = open(o_.gameErr.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (fd >= 0) dup2(fd, 2);
            const int out = open("/dev/null", O_WRONLY);
            if (out >= 0) dup2(out, 1);
        }
        std::vector<char*> argv;
        for (auto& s : o_.game) argv.push_back(s.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    game_ = pid;
    lastPing_ = waitingSince_ = Clock::now();
    answered_ = pingSerial_;
    killedForHang_ = false;
    lastEnding_ = Last::Nothing;
    otherHolds_ = false;
    Note("start the game (pid " + std::to_string(pid) + ")");
    // Up when one of its windows shows; a sanitizer build is slow to start.
    const auto until = Clock::now() + std::chrono::seconds(120);
    while (Clock::now() < until && game_ > 0) {
        Pump(100);
        for (const Top& t : Tops())
            if (t.viewable && t.game) return;
    }
    if (game_ > 0) Find("hang", "no window of the game showed within 120 s of its start");
}

std::string Player::NewErrText() {
    std::ifstream in(o_.gameErr, std::ios::binary);
    if (!in) return {};
    in.seekg(errRead_);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    errRead_ += long(s.size());
    return s;
}

void Player::CheckGame() {
    if (game_ <= 0) return;
    int status = 0;
    const pid_t r = waitpid(game_, &status, WNOHANG);
    if (r != game_) return;
    game_ = -1;
    // Its standard error is complete once it has ended.
    const std::string err = NewErrText();
    const bool report = err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos;
    const bool deadly = err.find("SEGV") != std::string::npos || err.find("deadly signal") != std::string::npos;
    std::string how = WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status))
                                          : "exit code " + std::to_string(WEXITSTATUS(status));
    if (killedForHang_) {
        killedForHang_ = false;
        Note("the game, killed for its hang, ended with " + how);
    } else if (report && !deadly) {
        t_.sanitizer++;
        Find("sanitizer report", how + "\n" + err.substr(0, 6000));
    } else if (report || WIFSIGNALED(status) || WEXITSTATUS(status) != 0) {
        t_.crashes++;
        Find("crash", how + "\n" + err.substr(0, 6000));
    } else if (o_.watch) {
        Note("the game ended");
        stop_ = true;
    } else if (lastEnding_ == Last::Asking && Clock::now() - lastEndingAt_ < std::chrono::seconds(10)) {
        t_.askedQuits++;
        Note("the game quit after an answer of the player's");
    } else {
        t_.unasked++;
        Find("unasked quit", lastEnding_ == Last::Close ? "the game ended after a close of one of its windows"
                                                          : "the game ended with no answer of the player's");
    }
    // A quit the player asked for is played on from the title again.
    if (!stop_) StartGame();
}

void Player::Find(const std::string& what, const std::string& detail) {
    if (!o_.keepGoing) stop_ = true;
    // A long run tells each kind in full its first few times, then in a line.
    if (++seen_[what] > 3) {
        if (log_) log_ << Elapsed() << " FOUND " << what << "\n";
        if (seen_[what] == 4) std::cout << "(more of: " << what << ", counted in the totals)\n" << std::flush;
        return;
    }
    std::ostringstream s;
    s << "FOUND: " << what << " at " << std::fixed;
    s.precision(1);
    s << Elapsed() << " s, after " << t_.inputs << " inputs (seed " << o_.seed << ")\n" << detail << "\n";
    s << "the last inputs:\n";
    for (const auto& r : recent_) s << "  " << r << "\n";
    std::cout << s.str() << std::flush;
    if (log_) log_ << s.str() << std::flush;
}

void Player::Note(const std::string& what) {
    std::ostringstream s;
    s.precision(2);
    s << std::fixed << Elapsed() << " " << what;
    recent_.push_back(s.str());
    if (recent_.size() > 30) recent_.pop_front();
    if (log_) log_ << s.str() << "\n";
}

void Player::HandleEvent(XEvent& e) {
    if (e.type == ClientMessage && e.xclient.message_type == protocols_ && Atom(e.xclient.data.l[0]) == ping_) {
        // The game's answer to the last ping (the window manager pings too).
        if (e.xclient.data.l[1] > answered_ && e.xclient.data.l[1] <= pingSerial_) answered_ = e.xclient.data.l[1];
        return;
    }
    if (e.type == PropertyNotify && e.xproperty.window == root_ && e.xproperty.atom == probeAtom_) {
        // Where each frame's figures stand, to tell a broken frame whose
        // box moved from one whose box stood still.
        Probe p;
        if (ReadProbe(p) && p.done) {
            std::pair<int, int> box{1 << 30, 1 << 30};
            for (const auto& sp : p.sprites)
                if (!q::frm_RGN_Picture::pPicture(sp.n).empty())
                    box = {std::min(box.first, p.left + sp.x), std::min(box.second, p.top + sp.y)};
            boxes_[p.serial] = box;
            if (boxes_.size() > 64) boxes_.erase(boxes_.begin());
            frames_[p.serial] = p;
            lastDone_ = p.serial;
            if (frames_.size() > 4) frames_.erase(frames_.begin());
        }
        return;
    }
    if ((e.type == ConfigureNotify || e.type == MapNotify || e.type == UnmapNotify || e.type == DestroyNotify) &&
        e.xany.window == root_) {
        // A window of the desktop's top level changed. Only the stage's own
        // frame taking a new place or size is no disturbance: a stage shown
        // there apart from its picture is what the check is for.
        if (e.type == DestroyNotify) places_.erase(e.xdestroywindow.window);
        if (e.type != ConfigureNotify) return Disturbed();
        const XConfigureEvent& c = e.xconfigure;
        const std::array<int, 4> place{c.x, c.y, c.width, c.height};
        auto it = places_.find(c.window);
        const bool moved = it != places_.end() && it->second != place;
        places_[c.window] = place;
        if (moved && c.window == stageTop_) movedUnder_ = lastDone_;
        else Disturbed();
        return;
    }
    if (shapeEvent_ >= 0 && e.type == shapeEvent_ + ShapeNotify) {
        const auto& se = reinterpret_cast<const XShapeEvent&>(e);
        if (se.window == stageTop_ && se.kind == ShapeBounding) Reshaped();
        return;
    }
    if (e.type == PropertyNotify && e.xproperty.window == root_ && e.xproperty.atom == active_) {
        if (!otherHolds_) return;
        const long active = CardinalOf(root_, active_);
        if (active > 0 && IsGameWindow(Window(active))) {
            otherHolds_ = false;
            t_.steals++;
            char id[32];
            std::snprintf(id, sizeof id, "0x%lx", active);
            Find("focus steal", std::string("game window ") + id +
                                    " became the active window while the other program held the keyboard");
        }
    }
}

void Player::Ping() {
    const auto now = Clock::now();
    if (game_ <= 0) return;
    // Unanswered since the first ping after the last answer. A window may
    // go before it answers (made anew), so pings go on once a second to
    // whatever windows the game has, and any later answer will do.
    const bool waiting = answered_ < pingSerial_;
    if (waiting && now - waitingSince_ > std::chrono::duration<double>(o_.hang)) {
        t_.hangs++;
        Find("hang", "the game answered no ping for " + std::to_string(int(o_.hang)) + " s");
        killedForHang_ = true;
        kill(game_, SIGABRT);
        answered_ = pingSerial_;
        return;
    }
    if (now - lastPing_ < std::chrono::seconds(1)) return;
    if (SendPing() && !waiting) waitingSince_ = now;
}

bool Player::SendPing() {
    bool sent = false;
    const long serial = pingSerial_ + 1;
    for (const Top& t : Tops()) {
        if (!t.viewable || !t.game || t.overrideRedirect) continue;
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = t.client;
        e.xclient.message_type = protocols_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(ping_);
        e.xclient.data.l[1] = serial;
        e.xclient.data.l[2] = long(t.client);
        XSendEvent(d_, t.client, False, NoEventMask, &e);
        sent = true;
    }
    XFlush(d_);
    if (sent) pingSerial_ = serial, lastPing_ = Clock::now();
    return sent;
}

bool Player::RoundTrip() {
    // The game's answer to a ping sent now: it has handled every input
    // before it and the events those posted.
    const bool waiting = answered_ < pingSerial_;
    if (game_ <= 0 || !SendPing()) return false;
    if (!waiting) waitingSince_ = Clock::now();
    const long serial = pingSerial_;
    while (answered_ < serial) {
        while (XPending(d_)) {
            XEvent e;
            XNextEvent(d_, &e);
            HandleEvent(e);
        }
        if (answered_ >= serial) break;
        CheckGame();
        if (stopAsked) stop_ = true;
        if (game_ <= 0 || stop_) return false;
        Ping();  // pings again, and tells a hang
        if (killedForHang_) return false;
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(d_), &fds);
        timeval tv{0, 5000};
        select(ConnectionNumber(d_) + 1, &fds, nullptr, nullptr, &tv);
    }
    return true;
}

void Player::Pump(double ms) {
    const auto until = Clock::now() + std::chrono::microseconds(long(ms * 1000));
    do {
        while (XPending(d_)) {
            XEvent e;
            XNextEvent(d_, &e);
            HandleEvent(e);
        }
        CheckGame();
        if (stopAsked) stop_ = true;
        if (stop_) return;
        Ping();
        if (o_.frames && Clock::now() - lastFrameCheck_ > std::chrono::milliseconds(o_.watch ? 20 : 40)) {
            lastFrameCheck_ = Clock::now();
            CheckFrame();
            if (stop_) return;
        }
        fd_set fds;
        FD_ZERO(&fds);
        FD_SET(ConnectionNumber(d_), &fds);
        timeval tv{0, 5000};
        select(ConnectionNumber(d_) + 1, &fds, nullptr, nullptr, &tv);
    } while (Clock::now() < until);
}

bool Player::ReadProbe(Probe& p) {
    Atom type;
    int format;
    unsigned long n, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d_, root_, probeAtom_, 0, 1 << 20, False, XA_STRING, &type, &format, &n, &after, &data) !=
            Success || !data)
        return false;
    std::istringstream in(std::string(reinterpret_cast<char*>(data), n));
    XFree(data);
    std::string state;
    double dpr = 1;
    if (!(in >> p.serial >> state)) return false;
    p.done = state == "done";
    if (!p.done) return true;
    in >> p.window >> dpr >> p.left >> p.top;
    p.scale = std::max(1, int(std::lround(dpr)));
    Probe::Sprite s;
    while (in >> s.n >> s.x >> s.y) p.sprites.push_back(s);
    return true;
}

std::vector<std::uint32_t> Player::Paint(const Probe& p, int x0, int y0, int w, int h) {
    const int k = p.scale;
    std::vector<std::uint32_t> expect(size_t(w) * size_t(h), 0);
    for (const auto& s : p.sprites) {
        const q::SpritePicture& pic = q::frm_RGN_Picture::pPicture(s.n);
        if (pic.empty()) continue;
        static std::vector<q::RegionRecord> outlines(q::SpriteCount);
        q::RegionRecord& rec = outlines[size_t(s.n)];
        if (!rec.IsRegion()) q::OutlineOf(pic, rec);
        for (const q::PixelRect& r : rec.rects)
            for (int py = r.top; py < r.bottom; ++py)
                for (int px = r.left; px < r.right; ++px) {
                    const std::uint32_t c = 0xFF000000u | (q::OpaquePixel(pic.At(px, py)) & 0xFFFFFFu);
                    for (int dy = 0; dy < k; ++dy)
                        for (int dx = 0; dx < k; ++dx) {
                            const int sx = (p.left + s.x + px) * k + dx - x0, sy = (p.top + s.y + py) * k + dy - y0;
                            if (sx >= 0 && sy >= 0 && sx < w && sy < h) expect[size_t(sy) * size_t(w) + size_t(sx)] = c;
                        }
                }
    }
    return expect;
}

long Player::CompareFrame(const Probe& p, Grab& g) {
    if (!p.done || !p.window || p.sprites.empty()) return -1;
    const int k = p.scale;
    // The box of the figures on the screen, in device pixels.
    int x0 = screenW_, y0 = screenH_, x1 = 0, y1 = 0;
    for (const auto& s : p.sprites) {
        const q::SpritePicture& pic = q::frm_RGN_Picture::pPicture(s.n);
        if (pic.empty()) continue;
        x0 = std::min(x0, (p.left + s.x) * k), y0 = std::min(y0, (p.top + s.y) * k);
        x1 = std::max(x1, (p.left + s.x + pic.width) * k), y1 = std::max(y1, (p.top + s.y + pic.height) * k);
    }
    x0 = std::max(x0, 0), y0 = std::max(y0, 0), x1 = std::min(x1, screenW_), y1 = std::min(y1, screenH_);
    if (x1 <= x0 || y1 <= y0) return -1;
    const int w = x1 - x0, h = y1 - y0;
    std::vector<std::uint32_t> expect = Paint(p, x0, y0, w, h);
    // Under a grab of the server: the probe still says this frame, nothing
    // covers the pixels compared, and the screen's pixels.
    XGrabServer(d_);
    Probe now;
    long bad = -1;
    XImage* img = nullptr;
    if (ReadProbe(now) && now.done && now.serial == p.serial) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d_, p.window, &a) && a.map_state == IsViewable) {
            // The stage's frame among the root's children, and everything above it.
            Window top = p.window;
            for (int i = 0; i < 8; ++i) {
                Window r, parent, *kids = nullptr;
                unsigned n = 0;
                if (!XQueryTree(d_, top, &r, &parent, &kids, &n)) break;
                if (kids) XFree(kids);
                if (parent == root_ || !parent) break;
                top = parent;
            }
            if (top != stageTop_) {
                stageTop_ = top;
                XWindowAttributes t;
                if (XGetWindowAttributes(d_, top, &t)) places_[top] = {t.x, t.y, t.width, t.height};
                reshapes_.clear();
                frameShape_.clear();
                if (top != p.window && shapeEvent_ >= 0) {
                    XShapeSelectInput(d_, top, ShapeNotifyMask);
                    frameShape_ = FrameShape(top);
                }
            }
            Window r, parent, *kids = nullptr;
            unsigned n = 0;
            XQueryTree(d_, root_, &r, &parent, &kids, &n);
            bool above = false;
            for (unsigned i = 0; i < n; ++i) {
                if (kids[i] == top) {
                    above = true;
                    continue;
                }
                if (!above) continue;
                XWindowAttributes c;
                if (!XGetWindowAttributes(d_, kids[i], &c) || c.map_state != IsViewable) continue;
                const int cx0 = std::max(c.x - x0, 0), cy0 = std::max(c.y - y0, 0);
                const int cx1 = std::min(c.x + c.width + 2 * c.border_width - x0, w),
                          cy1 = std::min(c.y + c.height + 2 * c.border_width - y0, h);
                for (int yy = cy0; yy < cy1; ++yy)
                    for (int xx = cx0; xx < cx1; ++xx) expect[size_t(yy) * size_t(w) + size_t(xx)] = 0;
            }
            if (kids) XFree(kids);
            if (above) img = XGetImage(d_, root_, x0, y0, unsigned(w), unsigned(h), AllPlanes, ZPixmap);
        }
    }
    XUngrabServer(d_);
    XFlush(d_);
    if (!img) return -1;
    bad = 0;
    long checked = 0;
    g.shot.assign(size_t(w) * size_t(h), 0);
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) {
            const std::uint32_t got = std::uint32_t(XGetPixel(img, xx, yy)) & 0xFFFFFFu;
            g.shot[size_t(yy) * size_t(w) + size_t(xx)] = got;
            const std::uint32_t e = expect[size_t(yy) * size_t(w) + size_t(xx)];
            if (!e) continue;
            ++checked;
            if ((e & 0xFFFFFFu) != got) ++bad;
        }
    XDestroyImage(img);
    g.want = std::move(expect);
    g.x0 = x0, g.y0 = y0, g.w = w, g.h = h;
    return checked ? bad : -1;
}

void WritePpm(const std::string& path, const std::vector<std::uint32_t>& px, int w, int h, bool expected) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << w << " " << h << "\n255\n";
    for (size_t i = 0; i < px.size(); ++i) {
        std::uint32_t c = px[i];
        // Where the stage shows nothing a grey checkerboard.
        if (expected && !c) c = (((i % size_t(w)) / 4 + (i / size_t(w)) / 4) % 2) ? 0xA0A0A0 : 0xC8C8C8;
        const char rgb[3] = {char((c >> 16) & 0xFF), char((c >> 8) & 0xFF), char(c & 0xFF)};
        out.write(rgb, 3);
    }
}

std::vector<XRectangle> Player::FrameShape(Window frame) {
    std::vector<XRectangle> out;
    int count = 0, ordering = 0, x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(d_, frame, root_, 0, 0, &x, &y, &child)) return out;
    XRectangle* rects = XShapeGetRectangles(d_, frame, ShapeBounding, &count, &ordering);
    for (int i = 0; i < count; ++i) {
        XRectangle r = rects[i];
        r.x = short(r.x + x), r.y = short(r.y + y);
        out.push_back(r);
    }
    if (rects) XFree(rects);
    return out;
}

void Player::Reshaped() {
    std::vector<XRectangle> now = FrameShape(stageTop_);
    reshapes_.push_back({pingSerial_, frameShape_, now});
    frameShape_ = std::move(now);
    if (reshapes_.size() > 64) reshapes_.pop_front();
}

bool Player::TakenInByReshape(int x, int y) {
    // Settled once the game has answered two pings sent after it.
    while (!reshapes_.empty() && answered_ >= reshapes_.front().ping + 2) reshapes_.pop_front();
    const auto in = [x, y](const std::vector<XRectangle>& rects) {
        for (const XRectangle& r : rects)
            if (x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height) return true;
        return false;
    };
    for (const Reshape& r : reshapes_)
        if (in(r.after) && !in(r.before)) return true;
    return false;
}

void Player::Drain() {
    // Every event the server sent before this call has been handled.
    XSync(d_, False);
    while (XPending(d_)) {
        XEvent e;
        XNextEvent(d_, &e);
        HandleEvent(e);
    }
}

void Player::CheckFrame() {
    Probe p;
    if (game_ <= 0 || !ReadProbe(p)) return;
    Grab g;
    long bad = CompareFrame(p, g);
    if (bad < 0) return;
    t_.framesChecked++;
    if (!o_.shots.empty() && checkedShots_ < 6 && t_.framesChecked % 200 == 1) {
        const std::string base = o_.shots + "/checked-" + std::to_string(o_.seed) + "-" + std::to_string(++checkedShots_);
        WritePpm(base + "-screen.ppm", g.shot, g.w, g.h, false);
        WritePpm(base + "-drawn.ppm", g.want, g.w, g.h, true);
    }
    // A few pixels may be covered by a window the check does not know
    // of (a tooltip's shadow); a broken frame is a figure in pieces.
    constexpr long Threshold = 12;
    if (bad < Threshold) return;
    t_.differing++;
    // The game's requests for the frame were all on the screen before it
    // said the frame was done, so with nothing else changed since, what the
    // screen shows is the frame as it reached it. A window that went or
    // moved uncovers the stage's pixels, and the window manager's frame
    // takes in the stage's new pixels after the game has painted them; X
    // shows the game's pixels there once it has handled the exposure, so
    // such a frame is looked at again once the game has answered two pings
    // (and 30 ms have passed).
    Drain();
    long notTakenIn = 0;
    for (int yy = 0; yy < g.h; ++yy)
        for (int xx = 0; xx < g.w; ++xx) {
            const std::uint32_t want = g.want[size_t(yy) * size_t(g.w) + size_t(xx)];
            if (want && (want & 0xFFFFFFu) != g.shot[size_t(yy) * size_t(g.w) + size_t(xx)] &&
                !TakenInByReshape(g.x0 + xx, g.y0 + yy))
                ++notTakenIn;
        }
    // A window that moved under its frame is never excused: that the place
    // reaches the screen apart from the picture is what is looked for.
    const bool disturbed = (composited_ || !Settled() || notTakenIn < Threshold) && movedUnder_ != p.serial;
    if (log_)
        log_ << Elapsed() << " frame " << p.serial << " differs at a first grab by " << bad << " pixels"
             << (disturbed ? ", after a change of the windows" : "") << "\n";
    if (disturbed) {
        const auto until = Clock::now() + std::chrono::milliseconds(30);
        if (!RoundTrip() || !RoundTrip()) return;
        while (Clock::now() < until) usleep(2000);
        bad = CompareFrame(p, g);
        if (bad < Threshold) return;
        // Composited, the screen shows the frame once the window manager
        // has painted it, and by then the game may have drawn the next:
        // the screen is to show this frame or a later one whole, within
        // a third of a second.
        const auto painted = Clock::now() + std::chrono::milliseconds(300);
        while (composited_ && Clock::now() < painted) {
            usleep(20000);
            Drain();
            Grab later;
            if (CompareFrame(p, later) < Threshold) return;
            if (const auto newest = frames_.find(lastDone_); newest != frames_.end() && lastDone_ != p.serial &&
                                                             CompareFrame(newest->second, later) < Threshold)
                return;
        }
    }
    t_.broken++;
    std::string where = disturbed                  ? "; still after a change of the windows"
                        : movedUnder_ == p.serial ? "; the stage's window moved under it"
                                                  : "; nothing else had changed the screen";
    const auto before = boxes_.find(p.serial - 1), now = boxes_.find(p.serial);
    if (before != boxes_.end() && now != boxes_.end()) {
        const bool moved = before->second != now->second;
        if (!moved) t_.brokenStill++;
        where += moved ? "; the figures' box moved from " + std::to_string(before->second.first) + "," +
                             std::to_string(before->second.second) + " to " + std::to_string(now->second.first) + "," +
                             std::to_string(now->second.second)
                       : "; the figures' box stood still";
    }
    // Whether the screen shows the frame before it (its figures, where this
    // frame shows any).
    if (const auto last = frames_.find(p.serial - 1); last != frames_.end()) {
        const std::vector<std::uint32_t> old = Paint(last->second, g.x0, g.y0, g.w, g.h);
        long differ = 0;
        for (size_t i = 0; i < old.size(); ++i)
            if (old[i] && g.want[i] && (old[i] & 0xFFFFFFu) != g.shot[i]) ++differ;
        where += "; against frame " + std::to_string(p.serial - 1) + " the screen differs by " + std::to_string(differ);
    }
    std::string shots;
    if (!o_.shots.empty() && shotCount_ < 20) {
        const std::string base = o_.shots + "/broken-" + std::to_string(o_.seed) + "-" + std::to_string(++shotCount_);
        WritePpm(base + "-screen.ppm", g.shot, g.w, g.h, false);
        WritePpm(base + "-drawn.ppm", g.want, g.w, g.h, true);
        shots = "\nthe screen and the frame drawn: " + base + "-screen.ppm, " + base + "-drawn.ppm";
    }
    Find("broken frame", "frame " + std::to_string(p.serial) + ": " + std::to_string(bad) +
                             " pixels of its figures differ on the screen" + where + shots);
}

void Player::Click(int x, int y, int button, const std::string& what) {
    Move(x, y);
    XTestFakeButtonEvent(d_, unsigned(button), True, 0);
    XTestFakeButtonEvent(d_, unsigned(button), False, 0);
    XFlush(d_);
    t_.inputs++;
    Note((button == 1 ? "left click " : button == 3 ? "right click " : "click ") + what + " at " + std::to_string(x) +
         "," + std::to_string(y));
}

void Player::Key(KeySym key, std::initializer_list<KeySym> mods, const std::string& what, bool asking) {
    for (KeySym m : mods) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, m), True, 0);
    XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, key), True, 0);
    XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, key), False, 0);
    for (KeySym m : mods) XTestFakeKeyEvent(d_, XKeysymToKeycode(d_, m), False, 0);
    XFlush(d_);
    t_.inputs++;
    Note("key " + what);
    if (asking && !otherHolds_) lastEnding_ = Last::Asking, lastEndingAt_ = Clock::now();
}

void Player::CloseRequest(const Top& t) {
    // A click on the taskbar's close: on the game, as far as its keyboard goes.
    otherHolds_ = false;
    // As a taskbar closes a window: through the window manager.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = t.client;
    e.xclient.message_type = closeWindow_;
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = 2;
    XSendEvent(d_, root_, False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(d_);
    t_.inputs++;
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", t.client);
    Note(std::string("close window ") + id + " from the taskbar");
    lastEnding_ = Last::Close, lastEndingAt_ = Clock::now();
}

bool Player::PickInside(const Top& t, const std::vector<Top>& tops, int& x, int& y, bool lowerThird, bool middle) {
    // A point of the window that no window above it covers; in the middle
    // of its width, where buttons stand, when asked.
    size_t at = 0;
    while (at < tops.size() && tops[at].frame != t.frame) ++at;
    for (int tries = 0; tries < 20; ++tries) {
        x = middle ? int(Between(t.x + t.w * 2 / 5, std::max(t.x + 2, t.x + t.w * 3 / 5)))
                   : int(Between(t.x + 2, std::max(t.x + 2, t.x + t.w - 3)));
        y = int(Between(lowerThird ? t.y + t.h * 2 / 3 : t.y + 2, std::max(t.y + 2, t.y + t.h - 3)));
        if (x < 0 || y < 0 || x >= screenW_ || y >= screenH_) continue;
        bool covered = false;
        for (size_t i = at + 1; i < tops.size() && !covered; ++i)
            covered = tops[i].viewable && x >= tops[i].x && y >= tops[i].y && x < tops[i].x + tops[i].w &&
                      y < tops[i].y + tops[i].h;
        if (!covered) return true;
    }
    return false;
}

void Player::Input() {
    const std::vector<Top> tops = Tops();
    std::vector<const Top*> windows, menus, dialogs;
    const Top* other = nullptr;
    const Top* panel = nullptr;
    for (const Top& t : tops) {
        if (!t.viewable) continue;
        if (t.other) other = &t;
        if (!t.game) {
            // The taskbar: a wide low window at the screen's bottom that is no game's.
            if (!t.other && t.w > screenW_ / 2 && t.h < 80 && t.y + t.h >= screenH_ - 2) panel = &t;
            continue;
        }
        if (t.overrideRedirect) {
            if (t.w > 30 && t.h > 15) menus.push_back(&t);
        } else if (t.dialog) dialogs.push_back(&t);
        else windows.push_back(&t);
    }
    // The stage's window is clicked on its figures, not anywhere in its box.
    Probe stage;
    if (ReadProbe(stage) && stage.done)
        windows.erase(std::remove_if(windows.begin(), windows.end(), [&](const Top* t) { return t->client == stage.window; }),
                      windows.end());
    const long activeId = CardinalOf(root_, active_);
    const bool gameActive = activeId > 0 && IsGameWindow(Window(activeId));
    bool dialogActive = false;
    for (const Top* t : dialogs) dialogActive |= Window(activeId) == t->client;
    int x, y;
    const double u = Uniform();

    // The title, a small window in the middle of the screen: mostly its
    // first button, a third of the way down (a new game).
    for (const Top* t : windows) {
        const bool centred = std::abs(t->x + t->w / 2 - screenW_ / 2) < 20 && std::abs(t->y + t->h / 2 - screenH_ / 2) < 40;
        if (centred && t->w < screenW_ / 3 && t->h < screenH_ / 3 && menus.empty() && dialogs.empty() && u < 0.5) {
            otherHolds_ = false;
            Click(t->x + t->w / 2, t->y + t->h / 3, 1, "the title's first button");
            lastEnding_ = Last::Asking, lastEndingAt_ = Clock::now();
            return;
        }
    }

    // A popup menu is open: an item, mostly.
    if (!menus.empty()) {
        const Top& m = *menus.back();
        if (u < 0.75) {
            x = int(Between(m.x + 8, m.x + std::max(9, m.w / 2)));
            y = int(Between(m.y + 4, m.y + m.h - 5));
            otherHolds_ = false;
            Click(x, y, 1, "a popup menu's item");
            // A menu's item could be a yes (終了 asks on the bar first).
            lastEnding_ = Last::Asking, lastEndingAt_ = Clock::now();
        } else if (u < 0.85) {
            const long downs = Between(1, 6);
            for (long i = 0; i < downs; ++i) Key(XK_Down, {}, "Down");
            Key(XK_Return, {}, "Return in a popup menu", true);
        } else if (other && PickInside(*other, tops, x, y)) {
            Click(x, y, 1, "the other program, away from the popup menu");
        }
        return;
    }
    // A dialog of the game: answered, or clicked on.
    if (!dialogs.empty() && u < 0.8) {
        const Top& dlg = *dialogs.back();
        if (dialogActive && u < 0.4) Key(XK_Return, {}, "Return in a dialog", true);
        else if (dialogActive && u < 0.6) Key(XK_Escape, {}, "Escape in a dialog", true);
        else if (PickInside(dlg, tops, x, y, true)) {
            otherHolds_ = false;
            Click(x, y, 1, "a dialog");
            lastEnding_ = Last::Asking, lastEndingAt_ = Clock::now();
        }
        return;
    }
    // The other program has the keyboard: the player types into it, waits,
    // and only now and then goes back to the game.
    if (otherHolds_ && u < 0.6) {
        if (u < 0.3) {
            static const KeySym letters[] = {XK_a, XK_s, XK_f, XK_y, XK_n, XK_g, XK_Return, XK_space, XK_F5, XK_Escape};
            const KeySym k = letters[Between(0, 9)];
            Key(k, {}, std::string(XKeysymToString(k)) + " (to the other program)");
        } else {
            Note("wait");
            Pump(double(Between(300, 2500)));
        }
        return;
    }
    const double v = Uniform();
    if (v < 0.20) {
        // A figure on the stage, right-clicked.
        Probe p;
        if (ReadProbe(p) && p.done && !p.sprites.empty()) {
            const auto& s = p.sprites[size_t(Between(0, long(p.sprites.size()) - 1))];
            const q::SpritePicture& pic = q::frm_RGN_Picture::pPicture(s.n);
            const q::RegionRecord rec = q::OutlineOf(pic);
            if (rec.IsRegion()) {
                const q::PixelRect& r = rec.rects[size_t(Between(0, long(rec.rects.size()) - 1))];
                x = (p.left + s.x + int(Between(r.left, r.right - 1))) * p.scale;
                y = (p.top + s.y + int(Between(r.top, r.bottom - 1))) * p.scale;
                if (x < 0 || y < 0 || x >= screenW_ || y >= screenH_) return;
                otherHolds_ = false;
                Click(x, y, 3, "figure " + std::to_string(s.n));
                return;
            }
        }
    }
    if (v < 0.55 && !windows.empty()) {
        // A game window (the bar, a list, a facility, the title), clicked.
        const Top& t = *windows[size_t(Between(0, long(windows.size()) - 1))];
        const bool right = v < 0.35;
        if (PickInside(t, tops, x, y, false, !right && Uniform() < 0.5)) {
            otherHolds_ = false;
            Click(x, y, right ? 3 : 1, "a game window " + std::to_string(t.w) + "x" + std::to_string(t.h));
            if (!right) lastEnding_ = Last::Asking, lastEndingAt_ = Clock::now();
            return;
        }
    }
    if (v < 0.80) {
        // One of the game's keys, to whichever window has the keyboard.
        struct K {
            KeySym key;
            bool shift;
            const char* name;
            bool asking;
        };
        static const K keys[] = {{XK_g, false, "G", true},      {XK_Return, false, "Enter", true}, {XK_y, false, "Y", true},
                                 {XK_n, false, "N", false},     {XK_a, false, "A", false},         {XK_c, false, "C", false},
                                 {XK_s, false, "S", false},     {XK_t, false, "T", false},         {XK_m, false, "M", false},
                                 {XK_f, false, "F", false},     {XK_Menu, false, "Menu", false},   {XK_F5, false, "F5", false},
                                 {XK_h, true, "Shift+H", false}, {XK_1, true, "Shift+1", false},   {XK_2, true, "Shift+2", false},
                                 {XK_3, true, "Shift+3", false}, {XK_4, true, "Shift+4", false},   {XK_5, true, "Shift+5", false},
                                 {XK_6, true, "Shift+6", false}, {XK_7, true, "Shift+7", false},   {XK_8, true, "Shift+8", false},
                                 {XK_9, true, "Shift+9", false}, {XK_0, true, "Shift+0", false}};
        // Mostly the next line, as a player reading the story does.
        const double w = Uniform();
        const K& k = w < 0.3 ? keys[0] : w < 0.45 ? keys[1] : keys[Between(0, long(std::size(keys)) - 1)];
        if (k.shift) Key(k.key, {XK_Shift_L}, k.name, k.asking);
        else Key(k.key, {}, k.name, k.asking);
        return;
    }
    if (v < 0.84 && o_.closes && gameActive && !otherHolds_) {
        Key(XK_F4, {XK_Alt_L}, "Alt+F4");
        lastEnding_ = Last::Close, lastEndingAt_ = Clock::now();
        // A close is given time to act before anything can answer it.
        Pump(800);
        return;
    }
    if (v < 0.86 && o_.closes && !windows.empty()) {
        CloseRequest(*windows[size_t(Between(0, long(windows.size()) - 1))]);
        Pump(800);
        return;
    }
    if (v < 0.88 && panel && PickInside(*panel, tops, x, y)) {
        otherHolds_ = false;
        Click(x, y, 1, "the taskbar");
        return;
    }
    if (v < 0.96 && other && PickInside(*other, tops, x, y)) {
        otherHolds_ = false;
        // The game has done what the inputs before asked (a window that a
        // key opened is up) before the player turns to the other program.
        RoundTrip();
        Pump(250);
        if (stop_ || game_ <= 0) return;
        Click(x, y, 1, "the other program");
        // It holds the keyboard once the window manager says it is active.
        const auto until = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < until && !stop_) {
            Pump(20);
            if (CardinalOf(root_, active_) == long(otherClient_)) {
                otherHolds_ = true;
                Note("the other program has the keyboard");
                return;
            }
        }
        Note("the other program did not get the keyboard");
        return;
    }
    Note("wait");
    Pump(double(Between(1000, 4000)));
}

int Player::Run() {
    d_ = XOpenDisplay(nullptr);
    if (!d_) {
        std::cerr << "quorvane-deskplay: no X display\n";
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    int ev, er, maj, min;
    if (!XTestQueryExtension(d_, &ev, &er, &maj, &min)) {
        std::cerr << "quorvane-deskplay: the X server has no XTEST\n";
        return 2;
    }
    if (!o_.log.empty()) log_.open(o_.log, std::ios::app);
    root_ = DefaultRootWindow(d_);
    screenW_ = DisplayWidth(d_, DefaultScreen(d_));
    screenH_ = DisplayHeight(d_, DefaultScreen(d_));
    active_ = A("_NET_ACTIVE_WINDOW");
    pidAtom_ = A("_NET_WM_PID");
    probeAtom_ = A("_QUORVANE_STAGE_FRAME");
    protocols_ = A("WM_PROTOCOLS");
    ping_ = A("_NET_WM_PING");
    closeWindow_ = A("_NET_CLOSE_WINDOW");
    type_ = A("_NET_WM_WINDOW_TYPE");
    dialogType_ = A("_NET_WM_WINDOW_TYPE_DIALOG");
    wmState_ = A("WM_STATE");
    // The game answers a ping to the root with these masks.
    XSelectInput(d_, root_, PropertyChangeMask | StructureNotifyMask | SubstructureNotifyMask);
    int shapeError = 0;
    if (!XShapeQueryExtension(d_, &shapeEvent_, &shapeError)) shapeEvent_ = -1;
    composited_ = XGetSelectionOwner(d_, XInternAtom(d_, ("_NET_WM_CM_S" + std::to_string(DefaultScreen(d_))).c_str(),
                                                     False)) != None;
    // The other program, by its name.
    for (const Top& t : Tops()) {
        char* name = nullptr;
        if (t.viewable && XFetchName(d_, t.client, &name) && name) {
            if (o_.other == name) otherClient_ = t.client;
            XFree(name);
        }
    }
    if (!otherClient_ && !o_.watch) std::cerr << "quorvane-deskplay: no window named \"" << o_.other << "\"; playing without it\n";
    if (!o_.gameErr.empty()) {
        std::ifstream in(o_.gameErr, std::ios::binary | std::ios::ate);
        errRead_ = in ? long(in.tellg()) : 0;
    }
    start_ = Clock::now();
    StartGame();
    while (!stop_ && Elapsed() < o_.seconds) {
        if (game_ <= 0) {
            if (stop_) break;
            StartGame();
            continue;
        }
        if (o_.watch) {
            Pump(100);
            continue;
        }
        Input();
        if (stop_) break;
        // A player's pace: mostly quick, now and then a pause to watch.
        Pump(Uniform() < 0.9 ? double(Between(60, 450)) : double(Between(800, 3000)));
    }
    if (game_ > 0) {
        // Still running: ended by us, which is no finding.
        kill(game_, SIGTERM);
        for (int i = 0; i < 50 && waitpid(game_, nullptr, WNOHANG) == 0; ++i) usleep(100000);
        kill(game_, SIGKILL);
        waitpid(game_, nullptr, 0);
        const std::string err = NewErrText();
        if (err.find("Sanitizer") != std::string::npos || err.find("runtime error:") != std::string::npos) {
            t_.sanitizer++;
            Find("sanitizer report", err.substr(0, 6000));
        }
    }
    std::ostringstream s;
    s.precision(0);
    s << std::fixed << "seed " << o_.seed << ": " << Elapsed() << " s, inputs " << t_.inputs << ", game starts "
      << t_.starts << ", asked quits " << t_.askedQuits << ", frames checked " << t_.framesChecked << " (" << t_.differing << " differing at a first grab), crashes "
      << t_.crashes << ", sanitizer reports " << t_.sanitizer << ", hangs " << t_.hangs << ", focus steals " << t_.steals
      << ", unasked quits " << t_.unasked << ", broken frames " << t_.broken << " (" << t_.brokenStill
      << " with the box still)\n";
    std::cout << s.str();
    if (log_) log_ << s.str();
    return t_.Findings() ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "quorvane-deskplay: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--") {
            ++i;
            break;
        }
        if (a == "--seed") o.seed = std::stoull(next());
        else if (a == "--seconds") o.seconds = std::stod(next());
        else if (a == "--other") o.other = next();
        else if (a == "--game-err") o.gameErr = next();
        else if (a == "--shots") o.shots = next();
        else if (a == "--log") o.log = next();
        else if (a == "--hang") o.hang = std::stod(next());
        else if (a == "--keep-going") o.keepGoing = true;
        else if (a == "--no-closes") o.closes = false;
        else if (a == "--no-frame-check") o.frames = false;
        else if (a == "--watch") o.watch = true;
        else {
            std::cerr << "quorvane-deskplay: unknown option " << a << "\n";
            return 2;
        }
    }
    for (; i < argc; ++i) o.game.push_back(argv[i]);
    if (o.game.empty()) {
        std::cerr << "usage: quorvane-deskplay [--seed N] [--seconds S] [--other NAME] [--game-err FILE] [--keep-going]"
                      " [--hang S] [--shots DIR] [--log FILE] [--no-closes] [--no-frame-check] [--watch] -- GAME ARGS...\n";
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    signal(SIGTERM, AskStop);
    signal(SIGINT, AskStop);
    signal(SIGHUP, AskStop);
    return Player(std::move(o)).Run();
}
