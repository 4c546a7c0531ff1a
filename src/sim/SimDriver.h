// A simulated host with its game, driven by a script.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Game.h"
#include "sim/Script.h"
#include "sim/SimHost.h"

namespace q {

class SimDriver : public ScriptDriver {
public:
    explicit SimDriver(std::ostream* transcript) : host(transcript) {}
    Game& MakeGame() {
        if (!game) game = std::make_unique<Game>(host);
        return *game;
    }

    bool Restart() override {
        game.reset();
        host.Restart();
        return true;
    }
    void Advance(long long ms) override { host.Advance(ms); }
    void QueueMsgBoxAnswer(int a) override { host.QueueMsgBoxAnswer(a); }
    void QueueInputAnswer(std::string t) override { host.QueueInputAnswer(std::move(t)); }
    void Note(const std::string& line) override { host.Note(line); }
    void Flush() override { host.Flush(); }
    bool SetSeed(unsigned long long s) override {
        host.SetSeed(s);
        return true;
    }
    bool SetScreen(int w, int h, int taskbar) override {
        host.SetScreen(w, h, taskbar);
        return true;
    }
    bool SetWorkArea(int x, int y, int w, int h) override {
        host.SetWorkArea({x, y, x + w, y + h});
        return true;
    }

    // Writes 0xAARRGGBB pixels to a PNG file (the program that can, sets it).
    using PngWriter = std::function<bool(const std::string& path, int width, int height,
                                         const std::vector<std::uint32_t>& argb, std::string& error)>;
    PngWriter writePng;
    bool WriteFrame(const std::string& path, std::string& error) override {
        if (!writePng) {
            error = "this build writes no pictures";
            return false;
        }
        return writePng(path, host.ScreenWidthPixels(), host.ScreenHeightPixels(), host.Screenshot(), error);
    }
    MenuItem* OpenMenu() override { return host.OpenMenu(); }
    void CloseMenu() override { host.CloseMenu(); }
    bool QueueDrag(int dx, int dy) override {
        host.QueueDrag(dx, dy);
        return true;
    }
    const Control* Focused() override { return host.Focused(); }

    SimHost host;
    std::unique_ptr<Game> game;
};

}  // namespace q
