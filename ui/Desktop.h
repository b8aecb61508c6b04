// What the Linux desktops need of Spirex's windows beyond Qt's defaults: activation that a Wayland
// compositor accepts, a window without a taskbar button of its own on X11, and a fixed window that
// a title bar drawn by Qt cannot maximise.
#pragma once

class QWidget;

namespace spirex::ui {

// Shows the window, or brings it to the front when it is open, as the active window: the user's
// last press in the program's active window asks for it.
void BringToFront(QWidget& window);

// For an independent top-level window, created but not yet shown, that should have no taskbar
// button: on X11 the window says so itself (_NET_WM_STATE_SKIP_TASKBAR); a window manager keeps a
// transient window above its parent, so an independent window cannot say it that way.
void SkipTaskbar(QWidget& window);

// For a window of fixed size, created but not yet shown: on Wayland, Qt's own title bar asks the
// compositor to maximise the window on a double-click, whatever the window's sizes; the request is
// withdrawn before the compositor's answer can reach the window.
void KeepUnmaximized(QWidget& window);

} // namespace spirex::ui
