#include "qt/FrameProbe.h"

#include <QGuiApplication>
#include <string>

#include "qt/QtHost.h"

#if defined(QUORVANE_XCB) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#define QUORVANE_FRAME_PROBE 1
#endif

namespace q {

FrameProbe::FrameProbe() {
#ifdef QUORVANE_FRAME_PROBE
    if (qEnvironmentVariableIsEmpty("QUORVANE_FRAME_PROBE")) return;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection()) return;
    auto* c = x11->connection();
    const char name[] = "_QUORVANE_STAGE_FRAME";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
    if (!atom) return;
    atom_ = atom->atom;
    free(atom);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    connection_ = c;
    on_ = true;
#endif
}

void FrameProbe::Write(const std::string& text) {
#ifdef QUORVANE_FRAME_PROBE
    auto* c = static_cast<xcb_connection_t*>(connection_);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root_, atom_, XCB_ATOM_STRING, 8, std::uint32_t(text.size()), text.data());
    xcb_flush(c);
#else
    (void)text;
#endif
}

void FrameProbe::Begin() { Write(std::to_string(++serial_) + " busy"); }

void FrameProbe::Done(const QtHost& host, const Form& stage, const StageFrame& frame) {
    const FormWindow* w = host.WindowFor(stage);
    std::string text = std::to_string(serial_) + " done " + std::to_string(w && w->isVisible() ? w->internalWinId() : 0) +
                       " " + std::to_string(w ? w->devicePixelRatio() : 1.0) + " " +
                       std::to_string(stage.Left / host.TwipsPerPixelX()) + " " +
                       std::to_string(stage.Top / host.TwipsPerPixelY()) + "\n";
    if (!frame.region.empty())
        for (const StageSprite& s : frame.image)
            text += std::to_string(s.sprite) + " " + std::to_string(s.x) + " " + std::to_string(s.y) + "\n";
    Write(text);
}

}  // namespace q
