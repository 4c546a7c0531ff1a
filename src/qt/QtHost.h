// The desktop host: every loaded visible form is a frameless top-level
// window, its controls child widgets mirrored from the model; timers are
// QTimers; keys and clicks go back to the forms' handlers as the game's codes.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "forms/Form.h"
#include "forms/Host.h"
#include "qt/FrameProbe.h"
#include "qt/QtStage.h"

class QDialog;
class QKeyEvent;
class QScreen;
class QLockFile;
class QTimer;
class QTreeWidget;

namespace q {

class QtHost;

// The window of one form.
class FormWindow : public QWidget {
public:
    FormWindow(QtHost& host, Form& form);
    Form& form() const { return form_; }
    // Gives back the window's place on the screen and its backing store
    // while it is hidden; the next show makes them again. Only once none of
    // its events is being handled (QtHost::ReleaseIdleWindows).
    void ReleaseScreen() { destroy(); }

protected:
    bool event(QEvent*) override;
    void changeEvent(QEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void moveEvent(QMoveEvent*) override;

private:
    QtHost& host_;
    Form& form_;
};

class QtHost : public QObject, public Host {
public:
    QtHost();
    ~QtHost() override;

    // The window of a loaded form and the widget of a control, or null.
    FormWindow* WindowFor(const Form& f) const;
    QWidget* WidgetFor(const Control& c) const;
    bool Ended() const { return ended_; }

    // Answers for the next boxes (scripted runs); none means ask the player.
    void QueueMsgBoxAnswer(int a) { msgAnswers_.push_back(a); }
    void QueueInputAnswer(std::string t) { inputAnswers_.push_back(std::move(t)); }
    // A scripted drag: the next drag of a window moves it by this many pixels
    // at once, without the mouse.
    void QueueDrag(int dx, int dy) { scriptedDrags_.push_back({dx, dy}); }
    // The control whose widget has the keyboard focus, or null.
    Control* FocusedControl() const;
    // Where the mouse button went down last, on the screen.
    QPoint LastPressGlobal() const { return lastPress_; }
    // A scripted run: popup menus stay open for the script to choose from
    // instead of waiting for the mouse, and the game's seed is fixed.
    void ScriptMenus(bool on) { scriptMenus_ = on; }
    MenuItem* OpenMenu() const { return openMenu_; }
    void CloseMenu() { openMenu_ = nullptr; }
    void FixSeed(std::uint64_t seed) { seed_ = seed; }
    // Every stage frame from now on is written to the log as it reaches the screen.
    // Hidden windows of unloaded forms whose screen resources wait to be
    // given back until none of their events is being handled.
    int WindowsAwaitingRelease() const { return int(releasing_.size()); }

    // Host.
    void formLoaded(Form&) override;
    void formUnloaded(Form&) override;
    void formChanged(Form&) override;
    void controlChanged(Control&) override;
    void timerChanged(Timer&) override;
    void programEnded() override;
    void DoEvents() override;
    void Sleep(int ms) override;
    std::int64_t NowMs() override;
    std::uint64_t Seed() override;
    int TwipsPerPixelX() const override { return tppX_; }
    int TwipsPerPixelY() const override { return tppY_; }
    int ScreenWidthPixels() const override;
    int ScreenHeightPixels() const override;
    PixelRect WorkArea() const override;
    void StageRows(Form& stage, int top, int bottom) override;
    int TextWidthTwips(const std::string& text, const TextFont& font) override;
    int TextHeightTwips(const TextFont& font) override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title, const std::string& text) override;
    void PopupMenu(Form&, MenuItem&) override;
    std::string ForegroundTitle() override;
    void SetTopmost(Form&, bool topmost) override;
    void Raise(Form&) override;
    bool OpenDocument(const std::string& path) override;
    std::string DocumentPath(const std::string& name) override;
    bool AcquireInstanceLock() override;
    void SetFocus(Control& c) override;
    void DragForm(Form& f, const std::function<void()>& moved) override;
    void StageFrameReady(Form& stage, const StageFrame& frame) override;
    void Log(const std::string& text) override;

    // The persistent image of a stage form, or null for a form that never
    // showed a frame.
    const StageCanvas* CanvasFor(const Form& f) const;
    // Where a form's window stands on the screen: the form's rectangle, or
    // for a stage form only the rows its figures can take.
    QRect WindowRect(const Form& f) const;
    // Where the window's top-left corner lies on its form, in pixels.
    QPoint WindowOffset(const Form& f) const;
    // The window manager has put the window somewhere: once it stays there
    // the form's Left and Top follow it.
    void WindowMoved(FormWindow& w);

    bool eventFilter(QObject* watched, QEvent* event) override;
    // A key for a form, from its window or one of its controls.
    bool DeliverKey(Form& form, Control* control, QEvent* event);

private:
    void CreateWidget(FormWindow& w, Control& c);
    void SyncForm(Form& f);
    void SyncControl(Control& c);
    void SyncList(ListView& lv, QTreeWidget& tree);
    // A kept control's widget as a new one would be, before it is mirrored.
    static void Renew(Control& c, QWidget& widget);
    // Gives back the screen resources of the hidden windows of unloaded
    // forms, each once no event of it is being handled: a window torn down
    // inside its own click (a menu's choice that leaves the scene, a double
    // click that closes a list) would crash the toolkit as the click returns.
    void ReleaseIdleWindows();
    // A window is hidden once the game is done with it for the moment, not
    // at once: a form unloaded and shown again in one go (the status page,
    // closed and opened anew as its tab is chosen) keeps its window mapped.
    // Hidden and mapped again before the window manager has let it go, an X
    // window can be withdrawn by the window manager after its new map
    // request, and it never shows although the game has it shown.
    void HideLater(FormWindow& w);
    // Hides the windows left to be hidden whose forms do not show them now.
    // Until then they take no input.
    void HideWithdrawn();
    // Whether the window's form no longer shows it (hidden, or unloaded).
    bool Withdrawn(const FormWindow& w) const;
    // A dialog of the game: its caption, above every game window, wide
    // enough for its caption, and shown without taking the keyboard from
    // another program.
    static void PrepareDialog(QDialog& box);

    // Forms whose place follows where the window manager put their windows.
    void ReadBackPlaces();
    // Tells the game when the screen or its work area changes.
    void WatchScreen(QScreen* screen);

    int tppX_ = 15, tppY_ = 15;
    // The rows of each stage form its figures can take (Host::StageRows).
    std::unordered_map<const Form*, std::pair<int, int>> stageRows_;
    QTimer* placeTimer_ = nullptr;
    QTimer* workAreaTimer_ = nullptr;
    // When the game last asked for each window's place (QtHost::Elapsed).
    std::unordered_map<const Form*, std::int64_t> placedAt_;
    QPointer<QScreen> watched_;
    std::unordered_map<const Form*, QPointer<FormWindow>> windows_;
    std::unordered_map<const Control*, QPointer<QWidget>> widgets_;
    // The hidden windows of unloaded forms, with their controls' widgets.
    struct Spare {
        QPointer<FormWindow> window;
        std::vector<std::pair<Control*, QPointer<QWidget>>> widgets;
    };
    std::unordered_map<const Form*, Spare> spares_;
    std::vector<QPointer<FormWindow>> releasing_;
    QTimer* releaseTimer_ = nullptr;
    std::vector<QPointer<FormWindow>> hiding_;
    QTimer* hideTimer_ = nullptr;
    std::unique_ptr<QObject> inputBlocker_;
    std::unordered_map<const QObject*, Control*> controlOf_;
    std::unordered_map<Timer*, QTimer*> timers_;
    std::deque<int> msgAnswers_;
    std::deque<std::string> inputAnswers_;
    std::unique_ptr<QLockFile> lock_;
    bool ended_ = false;
    bool forwarding_ = false;
    const Control* fromWidget_ = nullptr;
    std::deque<std::pair<int, int>> scriptedDrags_;
    QPoint lastPress_;
    QPoint lastMove_;  // the mouse's latest move (or press) over a game window
    bool dragging_ = false;
    bool scriptMenus_ = false;
    MenuItem* openMenu_ = nullptr;
    std::optional<std::uint64_t> seed_;
    std::unordered_map<const Form*, std::unique_ptr<StageCanvas>> canvases_;
    SpriteRegions spriteRegions_;
    FrameProbe probe_;
};

// The font the game asks for, with fallbacks that hold Japanese glyphs.
QFont FontFor(const std::string& name, double size, bool bold, bool italic, bool underline);
QColor ColorOf(Color c);

}  // namespace q
