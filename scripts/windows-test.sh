#!/usr/bin/env bash
# The shipped Windows program, proven under Wine: unpacks the zip into a fresh Wine prefix, and on
# a virtual X display (Xvfb) plays the typical use on it with real X input (choose T37.2, OK,
# type 10, OK). The result is read back, not assumed: the player of the typical use, built for
# Windows too, reads its result label and saves the label's picture, which must then appear
# pixel for pixel on the screen of the shipped program. Also checks that the program loads
# exactly the files of the zip, that it runs on while its About dialog is open after the main
# window has closed, and its version record and icon. Pictures of each step, the About dialog
# and the System Info message are left in build-windows/pictures/.
#   windows-test.sh        (needs make windows and the host build's screen_picture tool)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
windows=$root/build-windows
work=$windows/windows-test
pictures=$windows/pictures

if [[ ${1:-} != --on-display ]]; then
    zip=$(ls "$windows"/spirex-*-win64.zip)
    rm -rf "$work" "$pictures"
    mkdir -p "$work/home" "$pictures"
    (cd "$work" && cmake -E tar xf "$zip")
    # The player runs beside a copy of the shipped files, with the Qt Test library it needs.
    cp -r "$work"/spirex-*-win64 "$work/player"
    cp "$windows/spirex_typical_use.exe" "$(bash "$root/scripts/windows-qt.sh" --prefix)/bin/Qt6Test.dll" \
        "$work/player/"
    export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all HOME=$work/home
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    unset TMPDIR # Wine 10's wineboot aborts with it set where /run/user/$UID is missing
    (unset DISPLAY WAYLAND_DISPLAY && /usr/lib/wine/wine64 wineboot -i && wineserver -w) \
        </dev/null >/dev/null 2>&1
    # A Windows machine keeps its fonts in C:\windows\Fonts. Wine has no Arial: Liberation Sans,
    # which has Arial's metrics, stands in for it.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    (unset DISPLAY WAYLAND_DISPLAY &&
        /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial \
            /d 'Liberation Sans' /f && wineserver -w) </dev/null >/dev/null 2>&1
    status=0
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --on-display || status=$?
    wineserver -k 2>/dev/null || true
    /usr/bin/python3 "$root/tests/windows/check_version_record.py" "$work"/spirex-*-win64/spirex.exe ||
        status=1
    ((status == 0)) && echo "windows-test: passed; pictures in $pictures" ||
        echo "windows-test: FAILED; pictures in $pictures"
    exit $status
fi

# --- on the virtual display ---------------------------------------------------------------------
wine=/usr/lib/wine/wine64
picture=$root/build/tools/screen_picture
failures=0
fail() {
    echo "windows-test: $*"
    failures=$((failures + 1))
}
grab() {
    sleep 1
    "$picture" grab "$pictures/$1"
    echo "windows-test: $pictures/$1"
}
running() { pgrep -f 'spirex\.exe' >/dev/null; }

# Each run is a Wine desktop of its own with a taskbar ("shell"), where Wine draws the windows'
# frames as Windows does.
cd "$work/player"
$wine explorer /desktop=shell,1024x768 spirex_typical_use.exe "Z:$pictures/player" \
    >"$work/player.log" 2>&1 &
for _ in $(seq 120); do
    grep -q 'Label1 shows' "$work/player.log" && ! pgrep -f spirex_typical_use >/dev/null && break
    sleep 0.5
done
wineserver -k
label1=$(tr -d '\r' <"$work/player.log" | sed -n 's/^Label1 shows: //p')
[[ $label1 == 50 ]] || fail "the player's result label shows \"$label1\", not 50"

cd "$work"/spirex-*-win64
WINEDEBUG=+loaddll $wine explorer /desktop=shell,1024x768 spirex.exe >"$work/loaded.log" 2>&1 &
for _ in $(seq 60); do running && break; sleep 0.5; done
sleep 4
grab 1-start.png
xdotool type --delay 100 T37.2 # the list has the focus: typing finds the core
grab 2-core-selected.png
xdotool key Tab space
grab 3-core-chosen.png
xdotool type --delay 100 10
grab 4-inductance-typed.png
xdotool key Tab space
grab 5-turns.png
"$picture" find "$pictures/5-turns.png" "$pictures/player/Label1.png" >/dev/null ||
    fail "the shipped program's window does not show the player's \"50\""
xdotool key alt
sleep 0.5
xdotool key Return # the menu's one item, Informazioni
grab 6-about.png
xdotool key alt+s
grab 7-system-info.png
xdotool key Return
sleep 1

# The main window closes first: the program runs on while the About dialog is open, and ends
# with it. The window's place on the screen is where the player's result label is found.
read -r x y < <("$picture" find "$pictures/5-turns.png" "$pictures/player/Label1.png" || echo 0 0)
xdotool mousemove $((x + 60)) $((y - 16)) click 1 # the main window's "Numero di spire"
sleep 0.5
xdotool key alt+F4
grab 8-main-window-closed.png
running || fail "the program ended with its main window while the About dialog was open"
xdotool mousemove 300 250 click 1 key Escape # the dialog, first placed at 156, 129
for _ in $(seq 20); do running || break; sleep 0.5; done
running && fail "the program runs on after its last window closed"

# Exactly the files of the zip are loaded from its folder, each of them.
folder=$(pwd)
loaded=$(tr -d '\r' <"$work/loaded.log" | grep -o 'Loaded L"Z:[^"]*"' | sed 's/^Loaded L"Z://; s/"$//' |
    sed 's|\\\\|/|g' | grep "^$folder/" | sed "s|^$folder/||" | sort -u)
shipped=$(find . -type f | sed 's|^\./||' | sort)
[[ $loaded == "$shipped" ]] || fail "loaded $(echo $loaded), shipped $(echo $shipped)"
wineserver -k 2>/dev/null || true
exit $((failures > 0))
