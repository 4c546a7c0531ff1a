// Runs simulator scripts against the desktop program, on the real clock.
#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <iostream>

#include "qt/QtHost.h"
#include "sim/Script.h"

namespace q {

class QtDriver : public ScriptDriver {
public:
    explicit QtDriver(QtHost& host) : host_(host) { host_.ScriptMenus(true); }
    ~QtDriver() override { host_.ScriptMenus(false); }
    void Advance(long long ms) override {
        // Windows the script's own keys and clicks closed are deleted now:
        // the loop below is nested deeper than where they were let go, and
        // would never delete them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // While the script waits the desktop is the player's: a right click
        // opens the game's real popup menu.
        QEventLoop loop;
        QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
        host_.ScriptMenus(false);
        loop.exec();
        host_.ScriptMenus(true);
    }
    void QueueMsgBoxAnswer(int a) override { host_.QueueMsgBoxAnswer(a); }
    void QueueInputAnswer(std::string t) override { host_.QueueInputAnswer(std::move(t)); }
    // Each line at once, so that whoever watches the transcript sees it as it happens.
    void Note(const std::string& line) override { std::cout << line << std::endl; }
    void Flush() override {}
    // Popup menus wait for the player's mouse again.
    void Finished() override { host_.ScriptMenus(false); }
    bool SetSeed(unsigned long long seed) override {
        host_.FixSeed(seed);
        return true;
    }
    MenuItem* OpenMenu() override { return host_.OpenMenu(); }
    void CloseMenu() override { host_.CloseMenu(); }
    bool QueueDrag(int dx, int dy) override {
        host_.QueueDrag(dx, dy);
        return true;
    }
    // The desktop hands the keyboard to a window a moment after it is asked.
    const Control* Focused() override {
        Settle([this] { return host_.FocusedControl() != nullptr; });
        return host_.FocusedControl();
    }
    void AwaitFocus(const Control& c) override {
        Settle([this, &c] { return host_.FocusedControl() == &c; });
    }

private:
    // Handles the desktop's events until the condition holds, half a second at most.
    template <class F>
    void Settle(F done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 500) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    QtHost& host_;
};

}  // namespace q
