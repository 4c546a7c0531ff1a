#include "qt/DesktopWindows.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>
#include <QTranslator>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#if defined(QUORVANE_HAVE_XCB) && QT_CONFIG(xcb)
#define QUORVANE_XCB 1
#include <xcb/xcb.h>
#endif

namespace q {

namespace {

// Whose events are being handled now, outermost first: the receiver, and
// for a widget the top-level window it belongs to. Only compared, never
// followed: a receiver may be gone by the time its entry is looked at.
struct Handled {
    const QObject* receiver;
    const QWidget* window;
};
std::vector<Handled> handled;
bool tracking = false;

}  // namespace

namespace {
std::unique_ptr<QAbstractNativeEventFilter> MakeStateKeeper();
}

GameApplication::GameApplication(int& argc, char** argv) : QApplication(argc, argv) {
    tracking = true;
    stateKeeper_ = MakeStateKeeper();
    if (stateKeeper_) installNativeEventFilter(stateKeeper_.get());
}

GameApplication::~GameApplication() {
    tracking = false;
    if (stateKeeper_) removeNativeEventFilter(stateKeeper_.get());
}

bool GameApplication::notify(QObject* receiver, QEvent* event) {
    const QWidget* window = receiver && receiver->isWidgetType() ? static_cast<QWidget*>(receiver)->window() : nullptr;
    handled.push_back({receiver, window});
    struct Pop {
        ~Pop() { handled.pop_back(); }
    } pop;
    return QApplication::notify(receiver, event);
}

bool GameApplication::Handling(const QWidget& window) {
    const QObject* native = window.windowHandle();
    return std::any_of(handled.begin(), handled.end(), [&](const Handled& h) {
        return h.window == &window || h.receiver == &window || (native && h.receiver == native);
    });
}

bool GameApplication::Tracking() { return tracking; }

bool InstallQtTranslations(QCoreApplication& app) {
    // The game speaks Japanese whatever the desktop's language.
    auto* translator = new QTranslator(&app);
    if (!translator->load("qtbase_ja", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

constexpr const char* SkipTaskbarProperty = "quorvaneSkipTaskbar";

#ifdef QUORVANE_XCB
xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return atom;
}

// The X window a top-level widget shows in now, or 0 before it has one.
// Qt makes a window anew, under another id, when it is shown again after
// its always-on-top flag changed: the widget's own winId() is then the old one.
xcb_window_t NativeOf(const QWidget& window) {
    const QWindow* native = window.windowHandle();
    return native && native->handle() ? xcb_window_t(native->winId()) : 0;
}

// The top-level widget showing in an X window.
QWidget* WindowOf(xcb_window_t id) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (NativeOf(*w) == id) return w;
    return nullptr;
}

void SetSkipState(QWidget& window, bool skip) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    xcb_connection_t* c = x11->connection();
    // A window not made yet is told when it is (QEvent::WinIdChange).
    const xcb_window_t id = NativeOf(window);
    if (id == 0) return;
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skips[] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (state == XCB_ATOM_NONE || skips[0] == XCB_ATOM_NONE || skips[1] == XCB_ATOM_NONE) return;

    // Not mapped yet: the property, which Qt merges with its own states
    // when it maps the window.
    std::vector<xcb_atom_t> atoms;
    if (xcb_get_property_reply_t* reply =
            xcb_get_property_reply(c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024), nullptr)) {
        if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
            const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
            atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        free(reply);
    }
    for (xcb_atom_t a : skips) {
        atoms.erase(std::remove(atoms.begin(), atoms.end(), a), atoms.end());
        if (skip) atoms.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()), atoms.data());

    // Mapped: the window manager owns the property and takes the change as
    // a request (EWMH), without the window being mapped again.
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = state;
    message.data.data32[0] = skip ? 1 : 0;  // _NET_WM_STATE_ADD or _REMOVE
    message.data.data32[1] = skips[0];
    message.data.data32[2] = skips[1];
    message.data.data32[3] = 1;  // from an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}
// Asks the window manager to add states to a mapped window.
void AddStates(xcb_connection_t* c, xcb_window_t id, xcb_atom_t state, xcb_atom_t first, xcb_atom_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = state;
    message.data.data32[0] = 1;  // _NET_WM_STATE_ADD
    message.data.data32[1] = first;
    message.data.data32[2] = second;
    message.data.data32[3] = 1;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

// Each time the window manager writes a game window's state, what the game
// wants of it and finds missing is asked for again.
class StateKeeper : public QAbstractNativeEventFilter {
public:
    explicit StateKeeper(xcb_connection_t* c)
        : c_(c),
          state_(Atom(c, "_NET_WM_STATE")),
          skipTaskbar_(Atom(c, "_NET_WM_STATE_SKIP_TASKBAR")),
          skipPager_(Atom(c, "_NET_WM_STATE_SKIP_PAGER")),
          above_(Atom(c, "_NET_WM_STATE_ABOVE")) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
        auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(event);
        if (notify->atom != state_ || notify->state != XCB_PROPERTY_NEW_VALUE) return false;
        QWidget* window = WindowOf(notify->window);
        if (!window || !window->isVisible()) return false;
        std::vector<xcb_atom_t> atoms;
        if (xcb_get_property_reply_t* reply = xcb_get_property_reply(
                c_, xcb_get_property(c_, 0, notify->window, state_, XCB_ATOM_ATOM, 0, 1024), nullptr)) {
            if (reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
                const auto* data = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
                atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
            }
            free(reply);
        }
        auto has = [&atoms](xcb_atom_t a) { return std::find(atoms.begin(), atoms.end(), a) != atoms.end(); };
        if (SkipsTaskbar(*window) && (!has(skipTaskbar_) || !has(skipPager_)))
            AddStates(c_, notify->window, state_, skipTaskbar_, skipPager_);
        if ((window->windowFlags() & Qt::WindowStaysOnTopHint) && !has(above_))
            AddStates(c_, notify->window, state_, above_, XCB_ATOM_NONE);
        return false;
    }

private:
    xcb_connection_t* c_;
    xcb_atom_t state_, skipTaskbar_, skipPager_, above_;
};

std::unique_ptr<QAbstractNativeEventFilter> MakeStateKeeper() {
    if (QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    return std::make_unique<StateKeeper>(x11->connection());
}
#else
void SetSkipState(QWidget&, bool) {}
std::unique_ptr<QAbstractNativeEventFilter> MakeStateKeeper() { return nullptr; }
#endif

}  // namespace

void ShowInTaskbar(QWidget& window, bool shown) {
    window.setProperty(SkipTaskbarProperty, !shown);
    if (QGuiApplication::platformName() == "xcb") SetSkipState(window, !shown);
}

bool SkipsTaskbar(const QWidget& window) { return window.property(SkipTaskbarProperty).toBool(); }

void FitCaption(QDialog& box) {
    // The caption as a title bar shows it (bold, as most window managers
    // draw it), with room for the icon and the buttons beside it.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int most = screen ? screen->availableGeometry().width() * 9 / 10 : 1200;
    const int wanted = std::min(most, QFontMetrics(font).horizontalAdvance(box.windowTitle()) + 160);
    if (auto* message = qobject_cast<QMessageBox*>(&box)) {
        // A message box sets its own fixed size from its layout: a strut in
        // the layout is what widens it.
        if (auto* grid = qobject_cast<QGridLayout*>(message->layout()))
            grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                          grid->columnCount());
        return;
    }
    box.setMinimumWidth(std::max(box.minimumWidth(), wanted));
}

}  // namespace q
