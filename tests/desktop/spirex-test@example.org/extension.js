// The hands and eyes of Spirex's desktop test inside GNOME Shell, on the session bus as
// org.gnome.Shell /org/example/SpirexTest: real pointer and keyboard events through Clutter's
// virtual input devices, the windows as the shell sees them (focus, stacking, frame, parent,
// class and the application its window tracker ties each to), the texts and places of a
// program's widgets through the accessibility bus, the overview, and screenshots.
import Atspi from 'gi://Atspi';
import Clutter from 'gi://Clutter';
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Shell from 'gi://Shell';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

Gio._promisify(Shell.Screenshot.prototype, 'screenshot');
Gio._promisify(Shell.Screenshot.prototype, 'screenshot_area');

const Interface = `<node><interface name="org.example.SpirexTest">
  <method name="Pointer"><arg name="x" type="i"/><arg name="y" type="i"/><arg name="clicks" type="i"/></method>
  <method name="Keys"><arg name="keys" type="as"/></method>
  <method name="Windows"><arg name="path" type="s"/></method>
  <method name="Widgets"><arg name="app" type="s"/><arg name="path" type="s"/></method>
  <method name="Screenshot"><arg name="path" type="s"/><arg name="x" type="i"/><arg name="y" type="i"/>
    <arg name="width" type="i"/><arg name="height" type="i"/></method>
  <method name="Overview"><arg name="show" type="b"/></method>
  <method name="Env"><arg name="name" type="s"/><arg name="value" type="s" direction="out"/></method>
</interface></node>`;

const rect = r => ({x: r.x, y: r.y, width: r.width, height: r.height});

// Runs the steps 40 ms apart, as a person's events would come, then answers the call.
function play(steps, invocation) {
    const next = () => {
        const step = steps.shift();
        if (!step) {
            invocation.return_value(null);
            return GLib.SOURCE_REMOVE;
        }
        step(GLib.get_monotonic_time());
        GLib.timeout_add(GLib.PRIORITY_DEFAULT, 40, next);
        return GLib.SOURCE_REMOVE;
    };
    next();
}

class Service {
    constructor() {
        // GNOME 43 has no stage context: its backend is Clutter's default one.
        const backend = global.stage.context?.get_backend() ?? Clutter.get_default_backend();
        const seat = backend.get_default_seat();
        this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        this._keyboard = seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE);
        Atspi.init();
    }

    PointerAsync([x, y, clicks], invocation) {
        const steps = [t => this._pointer.notify_absolute_motion(t, x, y)];
        for (let i = 0; i < clicks; i++) {
            steps.push(t => this._pointer.notify_button(t, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.PRESSED));
            steps.push(t => this._pointer.notify_button(t, Clutter.BUTTON_PRIMARY, Clutter.ButtonState.RELEASED));
        }
        play(steps, invocation);
    }

    // Each entry is a key name ("t", "period", "Return") or keys held together ("Super_L+Up").
    KeysAsync([keys], invocation) {
        const steps = [];
        for (const entry of keys) {
            const syms = entry.split('+').map(name => Clutter[`KEY_${name}`]);
            for (const sym of syms)
                steps.push(t => this._keyboard.notify_keyval(t, sym, Clutter.KeyState.PRESSED));
            for (const sym of syms.reverse())
                steps.push(t => this._keyboard.notify_keyval(t, sym, Clutter.KeyState.RELEASED));
        }
        play(steps, invocation);
    }

    // Every window, bottom of the stack first.
    Windows(path) {
        const tracker = Shell.WindowTracker.get_default();
        const windows = global.display.sort_windows_by_stacking(global.display.list_all_windows());
        const list = windows.map((w, stack) => ({
            title: w.get_title(), stack, focus: w.has_focus(),
            attention: w.demands_attention || w.urgent,
            frame: rect(w.get_frame_rect()), buffer: rect(w.get_buffer_rect()),
            client: rect(w.frame_rect_to_client_rect(w.get_frame_rect())),
            parent: w.get_transient_for()?.get_title() ?? null,
            wmClass: w.get_wm_class(), wmInstance: w.get_wm_class_instance(),
            x11: w.get_client_type() === 1, skipTaskbar: w.is_skip_taskbar(),
            maximized: w.get_maximized() !== 0, app: tracker.get_window_app(w)?.get_id() ?? null,
        }));
        const notices = Main.messageTray.getSources().map(s => s.title);
        GLib.file_set_contents(path, JSON.stringify({windows: list, notices}));
    }

    // The program's widgets as its accessibility tree gives them: role, text and place in its
    // window's content. Lists are not walked into.
    Widgets(app, path) {
        const found = [];
        const walk = (node, depth) => {
            const extents = node.get_extents?.(Atspi.CoordType.WINDOW);
            const screen = node.get_extents?.(Atspi.CoordType.SCREEN);
            found.push({role: node.get_role_name(), name: node.get_name(),
                ...(extents ? rect(extents) : {}), ...(screen ? {screen: rect(screen)} : {})});
            if (depth > 12 || node.get_role() === Atspi.Role.LIST)
                return;
            for (let i = 0; i < node.get_child_count(); i++)
                walk(node.get_child_at_index(i), depth + 1);
        };
        const desktop = Atspi.get_desktop(0);
        for (let i = 0; i < desktop.get_child_count(); i++) {
            const node = desktop.get_child_at_index(i);
            if (node?.get_name() === app)
                walk(node, 0);
        }
        GLib.file_set_contents(path, JSON.stringify(found));
    }

    async ScreenshotAsync([path, x, y, width, height], invocation) {
        try {
            const stream = Gio.File.new_for_path(path).replace(null, false, Gio.FileCreateFlags.NONE, null);
            const shooter = new Shell.Screenshot();
            if (width > 0)
                await shooter.screenshot_area(x, y, width, height, stream);
            else
                await shooter.screenshot(false, stream);
            stream.close(null);
            invocation.return_value(null);
        } catch (e) {
            invocation.return_error_literal(Gio.IOErrorEnum, Gio.IOErrorEnum.FAILED, `${e}`);
        }
    }

    // The shell starts up into the overview: a call made before then waits for it.
    OverviewAsync([show], invocation) {
        if (Main.layoutManager._startingUp) {
            const id = Main.layoutManager.connect('startup-complete', () => {
                Main.layoutManager.disconnect(id);
                GLib.timeout_add(GLib.PRIORITY_DEFAULT, 500, () => {
                    this.OverviewAsync([show], invocation);
                    return GLib.SOURCE_REMOVE;
                });
            });
            return;
        }
        if (Main.overview.visible === show) {
            invocation.return_value(null);
            return;
        }
        const id = Main.overview.connect(show ? 'shown' : 'hidden', () => {
            Main.overview.disconnect(id);
            invocation.return_value(null);
        });
        show ? Main.overview.show() : Main.overview.hide();
    }

    Env(name) {
        return GLib.getenv(name) ?? '';
    }
}

export default class SpirexTestExtension extends Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(Interface, new Service());
        this._object.export(Gio.DBus.session, '/org/example/SpirexTest');
    }

    disable() {
        this._object.unexport();
        this._object = null;
    }
}
