// Everything the game needs of the platform goes through this one interface:
// the desktop front end and the headless simulator each implement it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace q {

class Form;
class Control;
class Timer;
class MenuItem;

// Message box buttons and answers, as the toolkit numbers them.
enum MsgBoxStyle { vbOKOnly = 0, vbOKCancel = 1, vbYesNo = 4, vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64 };
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// A rectangle in pixels; right and bottom are exclusive.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// A pixel of a sprite's picture as it is painted: opaque, and black for a
// pixel whose colour lies past its picture's colour table (marked in the top
// byte of its 0x00RRGGBB).
constexpr std::uint32_t OpaquePixel(std::uint32_t colour) { return 0xFF000000u | (colour & 0x00FFFFFFu); }

// A sprite painted into the stage form's image, at its top-left pixel. The
// picture is `width` x `height` pixels, row by row from the top, each the
// place of its colour (0x00RRGGBB) in `palette`, painted as `OpaquePixel`
// gives it; only the pixels inside its outline are painted.
struct StageSprite {
    int sprite = 0;
    int x = 0, y = 0;
    int width = 0, height = 0;
    const std::uint8_t* pixels = nullptr;
    const std::uint32_t* palette = nullptr;
    const PixelRect* outline = nullptr;  // relative to the picture's top-left
    int outlineCount = 0;
};

// What the stage form shows after a frame. `region` is the window's shape:
// the union of the outlines drawn in the frame, as bands of rectangles from
// top to bottom and left to right; when it is empty nothing of the form shows.
// `image` is the form's persistent image: the sprites painted since it was
// last cleared, in painting order (a later one covers an earlier one only
// inside its own outline). Both stay valid until the call returns.
struct StageFrame {
    const std::vector<PixelRect>& region;
    const std::vector<StageSprite>& image;
};

struct TextFont {
    std::string name;
    double size = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class Host {
public:
    virtual ~Host() = default;

    // The forms model reports itself. A host mirrors what it needs.
    virtual void formLoaded(Form&) {}
    virtual void formUnloaded(Form&) {}
    virtual void formChanged(Form&) {}
    virtual void controlChanged(Control&) {}
    virtual void timerChanged(Timer&) = 0;
    virtual void programEnded() {}

    // Time: pending input and due ticks, a blocking pause, the wall clock.
    virtual void DoEvents() = 0;
    virtual void Sleep(int ms) = 0;
    virtual std::int64_t NowMs() = 0;  // milliseconds since the epoch, local time
    virtual std::uint64_t Seed() = 0;  // the seed of a fresh random generator

    // The screen.
    virtual int TwipsPerPixelX() const = 0;
    virtual int TwipsPerPixelY() const = 0;
    virtual int ScreenWidthPixels() const = 0;
    virtual int ScreenHeightPixels() const = 0;
    // The work area: the screen less the taskbar and the desktop's other
    // panels, wherever they stand, on the screen in pixels.
    virtual PixelRect WorkArea() const = 0;
    // The game follows a changed work area (a panel added, moved or gone,
    // the screen resized): the host calls this from its event loop then.
    void OnWorkAreaChanged(std::function<void()> changed) { workAreaChanged_ = std::move(changed); }
    virtual int TextWidthTwips(const std::string& text, const TextFont& font) = 0;
    virtual int TextHeightTwips(const TextFont& font) = 0;

    // Modal boxes.
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    virtual std::string InputBox(const std::string& prompt, const std::string& title, const std::string& text) = 0;
    // Shows a popup menu and runs the chosen item's Click before it returns.
    virtual void PopupMenu(Form&, MenuItem&) {}

    // Gives a control the keyboard focus.
    virtual void SetFocus(Control&) {}

    // Lets the player drag a borderless window as if by its caption, from
    // the press of the left button that is held now until it is released.
    // The form's Left and Top follow the window; `moved` runs after each step.
    virtual void DragForm(Form&, const std::function<void()>& /*moved*/) {}

    // Windows in front.
    virtual std::string ForegroundTitle() = 0;
    virtual void SetTopmost(Form&, bool /*topmost*/) {}
    virtual void Raise(Form&) {}

    // The rows of a stage form its figures can take, in pixels of the form
    // from its top (`bottom` exclusive): a host may give the form's window
    // only those rows. Told before the form's frames, and again when they move.
    virtual void StageRows(Form& /*stage*/, int /*top*/, int /*bottom*/) {}
    // The stage form's frame is ready: paint its image and shape its window.
    virtual void StageFrameReady(Form& /*stage*/, const StageFrame& /*frame*/) {}
    // Something went wrong that the player need not see; the game goes on.
    virtual void Log(const std::string& text) { std::fprintf(stderr, "quorvane: %s\n", text.c_str()); }

    // The shell and the process.
    // Opens a document with the desktop's viewer; false when it could not.
    virtual bool OpenDocument(const std::string& /*path*/) { return false; }
    // Where a document that comes with the program (the help) lies; the name
    // as it is, for the current folder, when the host knows no other place.
    virtual std::string DocumentPath(const std::string& name) { return name; }
    virtual bool AcquireInstanceLock() { return true; }

protected:
    void WorkAreaChanged() {
        if (workAreaChanged_) workAreaChanged_();
    }

private:
    std::function<void()> workAreaChanged_;
};

}  // namespace q
