#include "ui/Desktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdint>

#ifdef SPIREX_X11
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>
#endif

#ifdef SPIREX_WAYLAND
#include <QtGui/qpa/qplatformwindow_p.h>
#include <wayland-client-core.h>

struct xdg_toplevel;
#endif

namespace spirex::ui {

namespace {

#ifdef SPIREX_WAYLAND
using WaylandWindow = QNativeInterface::Private::QWaylandWindow;

// Qt asks for activation with the serial of the last input event, which for a menu bar item is
// the pointer button's release. GNOME accepts only a serial that it handed out for a press (or
// a key), and otherwise only marks the window as wanting attention. The press that chose the item
// is the application's last input serial: a token asked for with it, for the window the user works
// in, is handed to Qt (through XDG_ACTIVATION_TOKEN, which Qt reads and clears) as the window is
// shown or activated.
bool BringToFrontOnWayland(QWidget& window) {
    auto* application = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>();
    QWindow* source = QGuiApplication::focusWindow();
    auto* surface = source != nullptr ? source->nativeInterface<WaylandWindow>() : nullptr;
    if (application == nullptr || surface == nullptr) {
        return false;
    }
    QObject::connect(
        surface, &WaylandWindow::xdgActivationTokenCreated, &window,
        [&window](const QString& token) {
            if (!token.isEmpty()) {
                qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
            }
            // A window that is shown asks for activation on its own; asking again without the
            // token would only mark it as wanting attention.
            if (window.isVisible()) {
                window.activateWindow();
            } else {
                window.show();
            }
            qunsetenv("XDG_ACTIVATION_TOKEN");
        },
        Qt::SingleShotConnection);
    surface->requestXdgActivationToken(application->lastInputSerial());
    return true;
}

// xdg_toplevel's request unset_maximized, from the xdg-shell protocol.
constexpr std::uint32_t kXdgToplevelUnsetMaximized = 10;
#endif

#ifdef SPIREX_X11
xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    if (!reply) {
        return XCB_ATOM_NONE;
    }
    return reply->atom;
}
#endif

} // namespace

void BringToFront(QWidget& window) {
#ifdef SPIREX_WAYLAND
    if (BringToFrontOnWayland(window)) {
        return;
    }
#endif
    window.show();
    window.raise();
    window.activateWindow();
}

void SkipTaskbar([[maybe_unused]] QWidget& window) {
#ifdef SPIREX_X11
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // Qt's offscreen platform offers the interface without a connection.
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return;
    }
    // Qt adds its own states to those the window already has when it is shown.
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state != XCB_ATOM_NONE && skip != XCB_ATOM_NONE) {
        xcb_change_property(connection, XCB_PROP_MODE_APPEND,
                            static_cast<xcb_window_t>(window.winId()), state, XCB_ATOM_ATOM, 32, 1,
                            &skip);
    }
#endif
}

void KeepUnmaximized([[maybe_unused]] QWidget& window) {
#ifdef SPIREX_WAYLAND
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->nativeInterface<WaylandWindow>() == nullptr) {
        return;
    }
    // The title bar's double-click sets the window's state, which Qt sends to the compositor as
    // set_maximized before the state change is announced; unset_maximized follows it in the same
    // batch of requests, so the compositor's last word, the one Qt applies, is the window's size.
    // Qt makes a new platform window whenever the window is created again, so the one to ask is
    // the one the window has at that moment.
    QObject::connect(
        handle, &QWindow::windowStateChanged, &window, [handle](Qt::WindowState state) {
            auto* surface = handle->nativeInterface<WaylandWindow>();
            auto* toplevel = surface != nullptr ? surface->surfaceRole<xdg_toplevel>() : nullptr;
            if (state == Qt::WindowMaximized && toplevel != nullptr) {
                auto* proxy = reinterpret_cast<wl_proxy*>(toplevel);
                wl_proxy_marshal_flags(proxy, kXdgToplevelUnsetMaximized, nullptr,
                                       wl_proxy_get_version(proxy), 0);
            }
        });
#endif
}

} // namespace spirex::ui
