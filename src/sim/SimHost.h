// The headless host: virtual time, deterministic text extents, boxes
// answered from a queue, and a transcript of what a player would see.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "forms/Host.h"

namespace q {

class SimHost : public Host {
public:
    explicit SimHost(std::ostream* transcript = nullptr);

    // Set-up, before a game starts.
    void SetSeed(std::uint64_t seed) { seed_ = seed; }
    // The screen with a taskbar of that height along its bottom. While a
    // game runs it is told that its work area changed.
    void SetScreen(int width, int height, int taskbar);
    // The panels leave the game this part of the screen (a panel at the
    // top, the left or the right); while a game runs it is told.
    void SetWorkArea(PixelRect area);
    void SetTwipsPerPixel(int tpp) { tpp_ = tpp; }
    void SetForegroundTitle(std::string title) { foreground_ = std::move(title); }
    // Another copy of the game holds the single-instance lock.
    void SetAnotherCopyRunning(bool running) { anotherCopy_ = running; }
    // The desktop has no viewer for documents (no web browser).
    void SetNoDocumentViewer(bool none) { noViewer_ = none; }

    // The program quit and started again: every window, timer, box answer
    // and frame is gone; the clock, the seed and the screen stay.
    void Restart();

    // Virtual time: advance, delivering every timer tick that falls due.
    void Advance(std::int64_t ms);
    std::int64_t Elapsed() const { return now_ - start_; }

    // Answers for the next boxes.
    void QueueMsgBoxAnswer(int answer) { msgAnswers_.push_back(answer); }
    void QueueInputAnswer(std::string text) { inputAnswers_.push_back(std::move(text)); }
    const std::vector<std::string>& Documents() const { return documents_; }
    int TopmostCount() const { return int(topmost_.size()); }
    bool IsTopmost(const Form& f) const { return topmost_.count(&f) != 0; }
    bool Ended() const { return ended_; }

    // The stage. With frames shown, every applied frame goes to the transcript.
    void SetShowFrames(bool on) { showFrames_ = on; }
    struct StageShot {
        const Form* form = nullptr;
        std::vector<PixelRect> region;
        std::vector<StageSprite> image;  // its pictures and outlines stay with the game
        int frames = 0;                  // frames applied so far
    };
    const StageShot& LastFrame() const { return lastFrame_; }
    // The screen as a player would see it, 0xAARRGGBB row by row from the
    // top: the desktop, the taskbar, and the stage inside its window region.
    std::vector<std::uint32_t> Screenshot() const;
    const std::vector<std::string>& Logs() const { return logs_; }

    // Prints what changed on the bars since the last call.
    void Flush();
    // How often the game has written to a bar, a line said again included.
    long BarWrites() const { return barWrites_; }
    void Note(const std::string& line);

    // Host.
    void formLoaded(Form&) override;
    void formUnloaded(Form&) override;
    void formChanged(Form&) override;
    void controlChanged(Control&) override;
    void timerChanged(Timer&) override;
    void programEnded() override;
    void DoEvents() override;
    void Sleep(int ms) override { now_ += ms; }
    std::int64_t NowMs() override { return now_; }
    std::uint64_t Seed() override { return seed_; }
    int TwipsPerPixelX() const override { return tpp_; }
    int TwipsPerPixelY() const override { return tpp_; }
    int ScreenWidthPixels() const override { return screenW_; }
    int ScreenHeightPixels() const override { return screenH_; }
    PixelRect WorkArea() const override { return workArea_; }
    int TextWidthTwips(const std::string& text, const TextFont& font) override;
    int TextHeightTwips(const TextFont& font) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& text) override;
    std::string ForegroundTitle() override { return foreground_; }
    void SetTopmost(Form& f, bool on) override;
    bool OpenDocument(const std::string& path) override;
    void StageFrameReady(Form& stage, const StageFrame& frame) override;
    void Log(const std::string& text) override;
    // Gives the control the focus; a control that gets it runs its GotFocus.
    void SetFocus(Control& c) override;
    // The next drag of a window moves it by this many pixels.
    void QueueDrag(int dx, int dy) { drags_.push_back({dx, dy}); }
    void DragForm(Form& f, const std::function<void()>& moved) override;
    void PopupMenu(Form& f, MenuItem& menu) override;
    // The popup menu that is open, or null; choosing an item closes it.
    MenuItem* OpenMenu() const { return openMenu_; }
    void CloseMenu() { openMenu_ = nullptr; }
    static std::string MenuText(const MenuItem& menu);
    bool AcquireInstanceLock() override { return !anotherCopy_; }
    const Control* Focused() const { return focused_; }

    // The bar's text as the transcript shows it: the non-empty labels, the
    // choices marked with brackets when underlined, "[grey]" when disabled.
    static std::string BarText(const Form& bar);

private:
    struct Scheduled {
        std::int64_t due;
        std::uint64_t seq;
    };
    void Deliver(std::int64_t upTo, bool once);
    std::string Stamp() const;
    bool IsBar(const Form& f) const;

    std::ostream* out_;
    std::uint64_t seed_ = 1;
    int screenW_ = 1920, screenH_ = 1080, tpp_ = 15;
    PixelRect workArea_{0, 0, 1920, 1040};
    std::string foreground_ = "+++ Quorvane +++";
    // The virtual wall clock starts on a second boundary.
    std::int64_t start_ = 1767225600000;  // 2026-01-01 00:00:00
    std::int64_t now_ = start_;
    std::uint64_t seq_ = 0;
    std::map<Timer*, Scheduled> timers_;
    std::deque<int> msgAnswers_;
    std::deque<std::string> inputAnswers_;
    std::vector<std::string> documents_;
    std::set<const Form*> topmost_;
    std::set<const Form*> dirtyBars_;
    std::map<const Form*, std::string> shownBars_;
    long barWrites_ = 0;
    bool ended_ = false;
    bool showFrames_ = false;
    StageShot lastFrame_;
    std::vector<std::string> logs_;
    const Control* focused_ = nullptr;
    bool anotherCopy_ = false;
    bool noViewer_ = false;
    MenuItem* openMenu_ = nullptr;
    std::deque<std::pair<int, int>> drags_;
};

}  // namespace q
