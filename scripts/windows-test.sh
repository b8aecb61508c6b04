#!/usr/bin/env bash
# The shipped Windows program, proven under Wine: unpacks the zip into a fresh Wine prefix, and on
# a virtual X display (Xvfb) plays the typical use on it with real X input (choose T37.2, OK,
# type 10, OK). The result is read back, not assumed: the player of the typical use, built for
# Windows too, reads its result label and saves the label's picture, which must then appear
# pixel for pixel on the screen of the shipped program. Also checks that the program loads
# exactly the files of the zip, that it runs on while its About dialog is open after the main
# window has closed, and its version record and icon; that no text is cut at 100, 125, 150 and
# 200 % (Windows' LogPixels 96, 120, 144, 192: the widget tests' check, built for Windows); and
# the installer: silent install, shortcut, Apps entry, the installed program's typical use, an
# upgrade over an older version, silent uninstall leaving nothing. Pictures of each step, of
# each scale, the About dialog and the System Info message are left in build-windows/pictures/.
#   windows-test.sh        (needs make windows and the host build's screen_picture tool)
set -euo pipefail
# What the user has exported would reach the Windows programs under Wine too (Qt's scale and
# style among it): the test starts from an environment of its own.
if [[ -z ${SPIREX_PINNED:-} ]]; then
    exec env -i SPIREX_PINNED=1 PATH=/usr/bin:/bin HOME="$HOME" LANG=C.UTF-8 \
        ${XDG_CACHE_HOME:+XDG_CACHE_HOME="$XDG_CACHE_HOME"} bash "$0" "$@"
fi
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
    cp "$windows/spirex_typical_use.exe" "$windows/spirex_gui_tests.exe" \
        "$(bash "$root/scripts/windows-qt.sh" --prefix)/bin/Qt6Test.dll" "$work/player/"
    export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all HOME=$work/home
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    unset TMPDIR # Wine 10's wineboot aborts with it set where /run/user/$UID is missing
    # The prefix reports Windows 10, the oldest Windows that Spirex runs on (Wine's own default
    # is Windows 7).
    (unset DISPLAY WAYLAND_DISPLAY && /usr/lib/wine/wine64 wineboot -i &&
        /usr/lib/wine/wine64 winecfg -v win10 && wineserver -w) </dev/null >/dev/null 2>&1
    # A Windows machine keeps its fonts in C:\windows\Fonts. Wine has no Arial: the program's
    # own Spirex Sans (Liberation Sans 2), which has Arial's metrics, stands in for it.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
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
desktop() { $wine explorer /desktop=shell,1024x768 "$@"; }
# wait_for LOG TEXT PROGRAM: until LOG says TEXT and PROGRAM has ended, or a minute has passed.
wait_for() {
    for _ in $(seq 120); do
        grep -qs "$2" "$1" && ! pgrep -f "$3" >/dev/null && break
        sleep 0.5
    done
    wineserver -k 2>/dev/null || true
}
cd "$work/player"
desktop spirex_typical_use.exe "Z:$pictures/player" >"$work/player.log" 2>&1 &
wait_for "$work/player.log" 'Label1 shows' spirex_typical_use
label1=$(tr -d '\r' <"$work/player.log" | sed -n 's/^Label1 shows: //p')
[[ $label1 == 50 ]] || fail "the player's result label shows \"$label1\", not 50"

# gui_tests NAME FUNCTIONS: the widget tests' FUNCTIONS of the Windows program's build, leaving
# pictures of both windows in $pictures/NAME; fails unless all passed.
gui_tests() {
    local name=$1 functions=$2 totals attempt
    # Text drawn by Qt's FreeType, as the program asks for it. Qt Test writes to a file: a
    # Windows program without a console of its own would write to the debugger. Qt Test opens
    # its file first thing: where there is none, Wine's desktop never started the program (seen
    # once in a busy make test), and it is started once more.
    for attempt in first second; do
        QT_QPA_PLATFORM=windows:fontengine=freetype SPIREX_PICTURES="Z:$pictures/$name" \
            desktop spirex_gui_tests.exe $functions -o "Z:$work/$name.log,txt" >/dev/null 2>&1 &
        wait_for "$work/$name.log" '^Totals' spirex_gui_tests
        [[ -e $work/$name.log ]] && break
        echo "windows-test: $name: the program did not start the $attempt time"
    done
    [[ -e $work/$name.log ]] || touch "$work/$name.log"
    totals=$(tr -d '\r' <"$work/$name.log" | grep '^Totals' || echo "no totals")
    echo "windows-test: $name: $functions $totals; pictures in $pictures/$name"
    tr -d '\r' <"$work/$name.log" | sed -n 's/^QINFO  : WindowsTest::/    /p'
    [[ $totals == "Totals: "*" passed, 0 failed"* ]] || {
        tr -d '\r' <"$work/$name.log" | grep -A2 'FAIL' || true
        fail "$name: $functions failed"
    }
}

# No text cut at each display scale, every text readable in each look at 100 %; the pictures of
# both windows at each scale and in each look are left beside.
for dpi in 96 120 144 192; do
    scale=$((dpi * 100 / 96))
    $wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    wineserver -w
    functions=asShown:desktop
    ((dpi == 96)) && functions="asShown aboutDialog"
    gui_tests "scale-$scale" "$functions"
done
$wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

# Windows' High Contrast Black, as Windows sets it: the scheme's system colours, and visual
# styles off. Both windows must read in it as the program finds it at start.
$wine reg export 'HKCU\Control Panel\Colors' "$work/colours.reg" /y >/dev/null 2>&1
$wine reg export 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' "$work/theme.reg" \
    /y >/dev/null 2>&1
{
    printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n'
    for colour in ActiveBorder=255,255,255 ActiveTitle=0,0,0 AppWorkSpace=0,0,0 Background=0,0,0 \
        ButtonAlternateFace=0,0,0 ButtonDkShadow=255,255,255 ButtonFace=0,0,0 \
        ButtonHilight=255,255,255 ButtonLight=255,255,255 ButtonShadow=255,255,255 \
        ButtonText=255,255,255 GradientActiveTitle=0,0,0 GradientInactiveTitle=0,0,0 \
        GrayText=63,242,63 Hilight=26,235,255 HilightText=0,0,0 HotTrackingColor=255,255,0 \
        InactiveBorder=255,255,255 InactiveTitle=0,0,0 InactiveTitleText=63,242,63 \
        InfoText=255,255,255 InfoWindow=0,0,0 Menu=0,0,0 MenuBar=0,0,0 MenuHilight=26,235,255 \
        MenuText=255,255,255 Scrollbar=0,0,0 TitleText=255,255,255 Window=0,0,0 \
        WindowFrame=255,255,255 WindowText=255,255,255; do
        printf '"%s"="%s"\n' "${colour%=*}" "$(tr , ' ' <<<"${colour#*=}")"
    done
    printf '\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n'
    printf '"ThemeActive"="0"\n'
} | sed 's/$/\r/' >"$work/high-contrast-black.reg"
$wine reg import "Z:$work/high-contrast-black.reg" >/dev/null 2>&1
wineserver -w
gui_tests high-contrast-black asShown:desktop
$wine reg import "Z:$work/colours.reg" >/dev/null 2>&1
$wine reg import "Z:$work/theme.reg" >/dev/null 2>&1
wineserver -w

# play FOLDER PICTURE-PREFIX [WINEDEBUG]: starts the program in FOLDER on a desktop of its own and
# plays the typical use with real keys; the player's "50" must be on the screen then.
play() {
    (cd "$1" && WINEDEBUG=${3:--all} desktop spirex.exe >"$work/$2loaded.log" 2>&1 &)
    for _ in $(seq 60); do running && break; sleep 0.5; done
    sleep 4
    grab "$2"1-start.png
    xdotool type --delay 100 T37.2 # the list has the focus: typing finds the core
    grab "$2"2-core-selected.png
    xdotool key Tab space
    grab "$2"3-core-chosen.png
    xdotool type --delay 100 10
    grab "$2"4-inductance-typed.png
    xdotool key Tab space
    grab "$2"5-turns.png
    if "$picture" find "$pictures/$2"5-turns.png "$pictures/player/Label1.png" >/dev/null; then
        echo "windows-test: the typical use on $1 shows the player's \"50\""
    else
        fail "the program in $1 does not show the player's \"50\""
    fi
}

zipped=$(echo "$work"/spirex-*-win64)
play "$zipped" "" +loaddll
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

# Exactly the files of the zip are loaded from its folder, each of them (the licences and
# BUILD.txt are read by people, not loaded).
loaded=$(tr -d '\r' <"$work/loaded.log" | grep -o 'Loaded L"Z:[^"]*"' | sed 's/^Loaded L"Z://; s/"$//' |
    sed 's|\\\\|/|g' | grep "^$zipped/" | sed "s|^$zipped/||" | sort -u)
shipped=$(cd "$zipped" && find . -type f -name '*.[de][lx][le]' | sed 's|^\./||' | sort)
[[ $loaded == "$shipped" ]] || fail "loaded $(echo $loaded), shipped $(echo $shipped)"
wineserver -k 2>/dev/null || true

# --- the installer -------------------------------------------------------------------------------
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Spirex'
users=$WINEPREFIX/drive_c/users
# run PROGRAM ARGUMENTS...: runs it to its end, and whatever it started.
run() {
    $wine "$@" >/dev/null 2>&1 || true
    wineserver -w
}
# The Apps entry's values; nothing where there is no entry.
entry() { $wine reg query "$uninstall_key" 2>/dev/null | tr -d '\r' | grep '^ ' || true; }
files() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }
# Whether the installed folder holds the zip's files and the uninstaller, and nothing else.
installed_as_zipped() {
    [[ $(files "$installed") == "$( (files "$zipped"; echo uninstall.exe) | LC_ALL=C sort)" ]]
}
shortcut() { ls "$users"/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Spirex.lnk 2>/dev/null; }
nothing_left() {
    local before=$failures
    [[ ! -e $installed ]] || fail "$1: $installed is left: $(files "$installed" | tr '\n' ' ')"
    [[ -z $(shortcut) ]] || fail "$1: the Start-menu shortcut is left"
    [[ -z $(entry) ]] || fail "$1: the Apps entry is left"
    if ((failures == before)); then
        echo "windows-test: $1: no file, shortcut or entry left"
    fi
}
setup=$(ls "$windows"/spirex-*-win64-setup.exe)
version=$(basename "$setup" | sed 's/^spirex-//; s/-win64-setup\.exe$//')

run "$setup" /S
installed=$(echo "$users"/*/AppData/Local/Programs/Spirex)
echo "windows-test: installed silently into $installed"
installed_as_zipped || fail "installed $(files "$installed" | tr '\n' ' ')"
[[ -n $(shortcut) ]] && echo "windows-test: Start-menu shortcut $(shortcut | sed "s|$users/||")" ||
    fail "no Start-menu shortcut"
echo "windows-test: the Apps entry:"
entry | sed 's/^ */    /'
for value in "DisplayName +REG_SZ +Spirex$" "DisplayVersion +REG_SZ +$version$" \
    "Publisher +REG_SZ +Orlesti$" 'DisplayIcon +REG_SZ +.*\\spirex.exe,0$' "EstimatedSize +REG_DWORD" \
    'QuietUninstallString +REG_SZ +".*\\uninstall.exe" /S$'; do
    entry | grep -qE "^ +$value" || fail "the Apps entry has no $value"
done
play "$installed" installed-
wineserver -k 2>/dev/null || true
run "$installed/uninstall.exe" /S
nothing_left "uninstalled silently"

# A newer version over an older one: one entry, and no file of the older one left.
older=$work/older/spirex-1.0.0-win64
mkdir -p "$older"
cp -r "$zipped/." "$older/"
echo "a file of the older version only" >"$older/older-only.txt"
bash "$root/scripts/windows-package.sh" --installer "$older" 1.0.0 "$work/older/setup.exe" >/dev/null
run "$work/older/setup.exe" /S
[[ -f $installed/older-only.txt ]] || fail "the older version did not install"
run "$setup" /S
installed_as_zipped || fail "after the upgrade: $(files "$installed" | tr '\n' ' ')"
[[ $(entry | grep -c 'DisplayVersion') == 1 && $(entry) == *"REG_SZ    $version"* ]] ||
    fail "after the upgrade the entry is: $(entry)"
echo "windows-test: $version installed over 1.0.0: $(entry | grep -c DisplayVersion) entry," \
    "$(files "$installed" | grep -c older-only) file of 1.0.0 left"
run "$installed/uninstall.exe" /S
nothing_left "uninstalled silently after the upgrade"

# An older Windows: the installer says that Spirex needs 64-bit Windows 10 or 11 and installs
# nothing, asked on the screen and silently. Wine traces the message box's text.
$wine winecfg -v win7 >/dev/null 2>&1
wineserver -w
WINEDEBUG=+msgbox desktop "$setup" >"$work/windows-7.log" 2>&1 &
for _ in $(seq 60); do
    grep -qs 'MSGBOX_OnInit' "$work/windows-7.log" && break
    sleep 0.5
done
grab 9-installer-on-windows-7.png
message=$(tr -d '\r' <"$work/windows-7.log" | sed -n 's/.*MSGBOX_OnInit L"\(.*\)"$/\1/p')
echo "windows-test: on Windows 7 the installer says: $message"
[[ $message == "Spirex richiede Windows 10 o Windows 11 a 64 bit"* ]] ||
    fail "on Windows 7 the installer does not say that Spirex needs Windows 10 or 11"
xdotool key Return
for _ in $(seq 20); do pgrep -f 'setup\.exe' >/dev/null || break; sleep 0.5; done
pgrep -f 'setup\.exe' >/dev/null && fail "on Windows 7 the installer did not end after its message"
wineserver -k 2>/dev/null || true
nothing_left "refused on Windows 7"
status=0
$wine "$setup" /S >/dev/null 2>&1 || status=$?
wineserver -w
((status == 2)) || fail "on Windows 7 the silent installer ended with $status, not 2 (refused)"
nothing_left "refused on Windows 7, silently (exit code $status)"
$wine winecfg -v win10 >/dev/null 2>&1
exit $((failures > 0))
