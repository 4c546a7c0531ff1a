// How the game's windows live on a desktop beside other programs: no window
// is torn down while one of its events is being handled, the taskbar shows
// the game once, and Qt's own dialogs and buttons speak Japanese.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QString>
#include <memory>

class QDialog;

namespace q {

// The desktop program's application. It knows which windows have an event
// being handled, however deep (a popup menu's loop, a message box, the
// game's DoEvents inside a click), so that the host tears a window's native
// resources down only once none of its events is on the stack.
class GameApplication : public QApplication {
public:
    GameApplication(int& argc, char** argv);
    ~GameApplication() override;
    bool notify(QObject* receiver, QEvent* event) override;

    // True while an event of the top-level widget, of its native window or
    // of one of its children is being handled.
    static bool Handling(const QWidget& window);
    // Whether the running application keeps that record (a GameApplication).
    static bool Tracking();

private:
    // On X11: keeps each game window's state with the window manager as the
    // game wants it (below).
    std::unique_ptr<QAbstractNativeEventFilter> stateKeeper_;
};

// Installs Qt's own Japanese translations (qtbase_ja from Qt's translations
// folder), so that its standard buttons and menus read as the game does.
// False when they are not installed.
bool InstallQtTranslations(QCoreApplication& app);

// Puts a top-level window on the taskbar or leaves it off: on X11 the
// window manager's _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER, set before
// the window is mapped or through the window manager after; nothing on other
// platforms. A window hidden and shown again at once can be managed anew
// with the state of neither its last showing nor its new one (the window
// manager drops the state of a window it lets go after the new one was
// set): the GameApplication watches the window manager's state of its
// windows and asks again for what is missing (off the taskbar, above).
void ShowInTaskbar(QWidget& window, bool shown);
// Whether the window manager has been told to leave the window off the taskbar.
bool SkipsTaskbar(const QWidget& window);

// Has the window manager leave the keyboard where it is each time the
// window is mapped while it has Qt::WA_ShowWithoutActivating. Qt tells that
// through a user time of 0 on a window of its own, which not every window
// manager reads; the window is mapped as one that takes no input (ICCCM's
// input hint), which every one honours, and takes input again once the
// window manager has shown it, so that the player's click gives it the keyboard.
void MapWithoutFocus(QWidget& window);

// Lifts a shown top-level window above the windows of other programs that
// cover it, without asking for the keyboard. On X11 the window manager is
// asked to restack it as a pager asks (_NET_RESTACK_WINDOW), and only while
// a window of another program, not a panel, lies over its visible part: a
// client's own raise request is taken by some window managers as a request
// to activate the window. A window manager that restacks on no such request
// sees a raise, and only while the game has the keyboard already: another
// program's keyboard outweighs the lift. Elsewhere the toolkit's raise. True
// when it asked.
bool LiftAboveOthers(QWidget& window);

// Widens a dialog so that its caption fits its title bar: a box is sized to
// its text, and a short text would cut the caption off.
void FitCaption(QDialog& box);

}  // namespace q
