// What the stage last drew, told to whoever checks the screen against it.
// With QUORVANE_FRAME_PROBE set in the environment, on an X display, each
// stage frame is written to the root window's property
// _QUORVANE_STAGE_FRAME through the program's own X connection, so that the
// X server holds it in order with the frame's own requests:
//   "N busy"                          while frame N is being put on screen
//   "N done WINDOW DPR LEFT TOP\n"    once its requests have gone out, then
//   "SPRITE X Y\n" ...                its sprites in painting order
// WINDOW is the stage's X window (0 for none), DPR its device pixel ratio,
// LEFT and TOP the stage form's place on the screen and X, Y each sprite's
// place on the form, in pixels. Whoever reads the property while it says
// "done" sees on screen what frame N shows, and nothing of frame N + 1.
// Without the variable (or off X) it costs one test of a flag a frame.
#pragma once

#include <cstdint>
#include <string>

namespace q {

class Form;
class QtHost;
struct StageFrame;

class FrameProbe {
public:
    FrameProbe();
    void Begin();
    void Done(const QtHost& host, const Form& stage, const StageFrame& frame);

    // Begin now, Done when the frame's handler returns, by whichever way.
    class Scope {
    public:
        Scope(FrameProbe& probe, const QtHost& host, const Form& stage, const StageFrame& frame)
            : probe_(probe), host_(host), stage_(stage), frame_(frame) {
            if (probe_.on_) probe_.Begin();
        }
        ~Scope() {
            if (probe_.on_) probe_.Done(host_, stage_, frame_);
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        FrameProbe& probe_;
        const QtHost& host_;
        const Form& stage_;
        const StageFrame& frame_;
    };

private:
    void Write(const std::string& text);

    bool on_ = false;
    std::uint64_t serial_ = 0;
    void* connection_ = nullptr;
    std::uint32_t root_ = 0, atom_ = 0;
};

}  // namespace q
