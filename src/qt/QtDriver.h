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
    explicit QtDriver(QtHost& host) : host_(host) {}
    void Advance(long long ms) override {
        QEventLoop loop;
        QTimer::singleShot(int(ms), &loop, &QEventLoop::quit);
        loop.exec();
    }
    void QueueMsgBoxAnswer(int a) override { host_.QueueMsgBoxAnswer(a); }
    void QueueInputAnswer(std::string t) override { host_.QueueInputAnswer(std::move(t)); }
    void Note(const std::string& line) override { std::cout << line << "\n"; }
    void Flush() override {}
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
