#!/usr/bin/python3
"""What a screen reader is told of Spirex's answers over AT-SPI, heard without a screen reader.

    announcements.py SPIREX QT-VERSION

Run on an X display with a session bus (dbus-run-session, xvfb-run), it listens on the
accessibility bus, starts the program, plays the typical use with real key presses (T50.10, OK,
100, OK) and one refusal (a letter typed as the value), and compares what the program raised with
what it should: with Qt 6.8 or later, announcements (object:announcement) with their politeness;
with an older Qt, which has none, a notification shown in a status bar, which is what Orca speaks
there. Nothing else may be raised, not once more, nor on a key press.
"""
import os
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

CORE = "Nucleo: Nero. Freq: da 30 MHz a 100 MHz. Inserire valore micro Henry"
TURNS = "Numero di spire: 180"
REFUSAL = "Scegliere il nucleo ed inserire l'induttanza"
POLITENESS = {1: "polite", 2: "assertive"}  # AT-SPI's live politeness in an announcement's detail1
SETTLE = 1.0  # seconds for a press's answer to arrive


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=30)


def main(program, qt_version):
    announced = tuple(int(part) for part in qt_version.split(".")[:2]) >= (6, 8)
    heard = []

    def listen(event):
        if event.host_application is None or event.host_application.name != "spirex":
            return
        if event.type == "object:announcement":
            heard.append(f"{POLITENESS.get(event.detail1, event.detail1)}: {event.any_data}")
        elif (event.type.startswith("object:state-changed:showing") and event.detail1
              and event.source.getRole() == pyatspi.ROLE_NOTIFICATION):
            event.source.clear_cache()  # its name, as the program holds it now
            parent = event.source.parent
            place = "in a status bar" if parent.getRole() == pyatspi.ROLE_STATUS_BAR else "alone"
            heard.append(f"notification {place}: {event.source.name}")

    pyatspi.Registry.registerEventListener(listen, "object:announcement",
                                           "object:state-changed:showing")
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    spirex = subprocess.Popen([program], env=environment)

    # The keys are pressed from a thread of their own, so that each event is taken, and its
    # source read, while the program is still as the event left it.
    def play():
        window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Spirex 1.1"],
                                check=True, capture_output=True, text=True, timeout=30)
        xdotool("windowfocus", "--sync", window.stdout.split()[0])
        time.sleep(SETTLE)
        for keys in (["type", "t50.10"], ["key", "Tab", "space"], ["type", "100"],
                     ["key", "Tab", "space"], ["key", "shift+Tab", "ctrl+a"], ["type", "a"],
                     ["key", "Tab", "space"]):
            xdotool(*keys)
            time.sleep(SETTLE)
        GLib.idle_add(pyatspi.Registry.stop)

    threading.Thread(target=play, daemon=True).start()
    pyatspi.Registry.start()
    spirex.terminate()
    spirex.wait(timeout=30)

    if announced:
        expected = [f"polite: {CORE}", f"polite: {TURNS}", f"assertive: {REFUSAL}"]
    else:
        print(f"Qt {qt_version} has no announcements: the announcement check is skipped here, "
              "and the notification that takes their place is checked instead")
        expected = [f"notification in a status bar: {text}" for text in (CORE, TURNS, REFUSAL)]
    for line in heard:
        print(f"heard  {line}")
    if heard != expected:
        print("FAIL   expected, in this order and each once:")
        for line in expected:
            print(f"       {line}")
        return 1
    print("pass   the core, the turns and the refusal, each told once, and nothing else")
    return 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
