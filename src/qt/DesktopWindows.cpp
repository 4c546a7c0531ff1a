#include "qt/DesktopWindows.h"

#include <QDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QSpacerItem>
#include <QTranslator>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <unordered_map>
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

// A property that holds a list of 32-bit values (atoms, windows), or none.
std::vector<uint32_t> ListProperty(xcb_connection_t* c, xcb_window_t id, xcb_atom_t property, xcb_atom_t type) {
    std::vector<uint32_t> values;
    if (xcb_get_property_reply_t* reply =
            xcb_get_property_reply(c, xcb_get_property(c, 0, id, property, type, 0, 4096), nullptr)) {
        if (reply->format == 32 && reply->type == type) {
            const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            values.assign(data, data + xcb_get_property_value_length(reply) / 4);
        }
        free(reply);
    }
    return values;
}

xcb_window_t RootOf(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

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

// A request to the window manager about a client window (EWMH): a client
// message of the given type sent to the root window.
void AskWindowManager(xcb_connection_t* c, xcb_window_t id, xcb_atom_t type, std::initializer_list<uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = type;
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(c, 0, RootOf(c), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
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
    std::vector<xcb_atom_t> atoms = ListProperty(c, id, state, XCB_ATOM_ATOM);
    for (xcb_atom_t a : skips) {
        atoms.erase(std::remove(atoms.begin(), atoms.end(), a), atoms.end());
        if (skip) atoms.push_back(a);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(atoms.size()), atoms.data());

    // Mapped: the window manager owns the property and takes the change as
    // a request (EWMH), without the window being mapped again.
    AskWindowManager(c, id, state, {skip ? 1u : 0u, skips[0], skips[1], 1});  // ADD or REMOVE, from an application
}
// Asks the window manager to add states to a mapped window.
void AddStates(xcb_connection_t* c, xcb_window_t id, xcb_atom_t state, xcb_atom_t first, xcb_atom_t second) {
    AskWindowManager(c, id, state, {1, first, second, 1});  // _NET_WM_STATE_ADD, from an application
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
        std::vector<xcb_atom_t> atoms = ListProperty(c_, notify->window, state_, XCB_ATOM_ATOM);
        auto has = [&atoms](xcb_atom_t a) { return std::find(atoms.begin(), atoms.end(), a) != atoms.end(); };
        const bool skip = SkipsTaskbar(*window) && (!has(skipTaskbar_) || !has(skipPager_));
        const bool above = (window->windowFlags() & Qt::WindowStaysOnTopHint) && !has(above_);
        std::sort(atoms.begin(), atoms.end());
        // A window manager that refuses a state may write the same state
        // again in answer: asked once per state it writes, never in a loop
        // that would keep the game from anything else.
        if (!skip && !above) {
            askedAt_.erase(notify->window);
            return false;
        }
        std::vector<xcb_atom_t>& asked = askedAt_[notify->window];
        if (atoms == asked) return false;
        asked = atoms;
        if (skip) AddStates(c_, notify->window, state_, skipTaskbar_, skipPager_);
        if (above) AddStates(c_, notify->window, state_, above_, XCB_ATOM_NONE);
        return false;
    }

private:
    xcb_connection_t* c_;
    xcb_atom_t state_, skipTaskbar_, skipPager_, above_;
    std::unordered_map<xcb_window_t, std::vector<xcb_atom_t>> askedAt_;  // the refused state last answered by asking
};

std::unique_ptr<QAbstractNativeEventFilter> MakeStateKeeper() {
    if (QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    return std::make_unique<StateKeeper>(x11->connection());
}

// The rectangle of a client window on the screen, in the screen's pixels;
// empty for a window not viewable (unmapped, minimised).
QRect ScreenRectOf(xcb_connection_t* c, xcb_window_t id) {
    const auto attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    free(attributes);
    if (!viewable) return {};
    const auto geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    const auto at = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, RootOf(c), 0, 0), nullptr);
    QRect rect;
    if (geometry && at) rect = QRect(at->dst_x, at->dst_y, geometry->width, geometry->height);
    free(geometry);
    free(at);
    return rect;
}

// Whether a window of another program, not a panel or the desktop, lies
// over the part of `id` that shows.
bool CoveredByOthers(xcb_connection_t* c, xcb_window_t id, const QRect& shows) {
    const std::vector<uint32_t> stacking =
        ListProperty(c, RootOf(c), Atom(c, "_NET_CLIENT_LIST_STACKING"), XCB_ATOM_WINDOW);
    auto at = std::find(stacking.begin(), stacking.end(), id);
    if (at == stacking.end()) return false;  // not managed (yet)
    const xcb_atom_t type = Atom(c, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t beside[] = {Atom(c, "_NET_WM_WINDOW_TYPE_DOCK"), Atom(c, "_NET_WM_WINDOW_TYPE_DESKTOP")};
    for (++at; at != stacking.end(); ++at) {
        if (WindowOf(*at)) continue;  // the game's own windows keep the order it gave them
        const std::vector<uint32_t> types = ListProperty(c, *at, type, XCB_ATOM_ATOM);
        if (std::any_of(types.begin(), types.end(),
                        [&](uint32_t t) { return std::find(std::begin(beside), std::end(beside), t) != std::end(beside); }))
            continue;
        if (ScreenRectOf(c, *at).intersects(shows)) return true;
    }
    return false;
}

bool Supported(xcb_connection_t* c, const char* name) {
    const std::vector<uint32_t> supported = ListProperty(c, RootOf(c), Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    return std::find(supported.begin(), supported.end(), Atom(c, name)) != supported.end();
}

// X11: see LiftAboveOthers. Null when the window is not an X window.
std::optional<bool> LiftOnX(QWidget& window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return std::nullopt;
    xcb_connection_t* c = x11->connection();
    const xcb_window_t id = NativeOf(window);
    if (id == 0 || !window.isVisible()) return false;
    // The part that shows: the window's shape where it has one.
    QRect shows = ScreenRectOf(c, id);
    if (!window.mask().isEmpty()) {
        const double ratio = window.devicePixelRatioF();
        const QRect mask = window.mask().boundingRect();
        shows = QRect(shows.topLeft() + QPoint(int(mask.x() * ratio), int(mask.y() * ratio)),
                      QSize(int(mask.width() * ratio + 0.999), int(mask.height() * ratio + 0.999)));
    }
    if (shows.isEmpty() || !CoveredByOthers(c, id, shows)) return false;
    if (!Supported(c, "_NET_RESTACK_WINDOW")) {
        // Some window managers take a raise as a request to activate: the
        // window is raised only while the game has the keyboard anyway, and
        // stays covered while another program has it.
        if (!QApplication::activeWindow()) return false;
        window.raise();
        return true;
    }
    // As a pager asks (source 2), to the top of its layer: no activation.
    AskWindowManager(c, id, Atom(c, "_NET_RESTACK_WINDOW"), {2, XCB_WINDOW_NONE, XCB_STACK_MODE_ABOVE});
    return true;
}
#else
void SetSkipState(QWidget&, bool) {}
std::unique_ptr<QAbstractNativeEventFilter> MakeStateKeeper() { return nullptr; }
std::optional<bool> LiftOnX(QWidget&) { return std::nullopt; }
#endif

}  // namespace

void ShowInTaskbar(QWidget& window, bool shown) {
    window.setProperty(SkipTaskbarProperty, !shown);
    if (QGuiApplication::platformName() == "xcb") SetSkipState(window, !shown);
}

namespace {

class MapFocusGuard : public QObject {
public:
    explicit MapFocusGuard(QWidget& window) : QObject(&window), window_(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show &&
            window_.testAttribute(Qt::WA_ShowWithoutActivating)) {
            if (QWindow* native = window_.windowHandle()) {
                native->setFlag(Qt::WindowDoesNotAcceptFocus, true);
                native->installEventFilter(this);
                mapping_ = native;
            }
        } else if (watched == mapping_ && event->type() == QEvent::Expose && mapping_->isExposed()) {
            mapping_->setFlag(Qt::WindowDoesNotAcceptFocus, false);
            mapping_->removeEventFilter(this);
            mapping_ = nullptr;
        }
        return false;
    }

private:
    QWidget& window_;
    QPointer<QWindow> mapping_;  // mapped without input until it shows
};

}  // namespace

void MapWithoutFocus(QWidget& window) {
    constexpr const char* guarded = "quorvaneMapFocusGuard";
    if (window.property(guarded).toBool()) return;
    window.setProperty(guarded, true);
    window.installEventFilter(new MapFocusGuard(window));
}

bool LiftAboveOthers(QWidget& window) {
    if (const std::optional<bool> lifted = LiftOnX(window)) return *lifted;
    window.raise();
    return true;
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
