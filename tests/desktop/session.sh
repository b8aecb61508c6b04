#!/usr/bin/env bash
# shellcheck disable=SC2016 # jq's variables, in single quotes
# The desktop test's rows, in a GNOME Shell session run headless, as an ordinary user:
#   session.sh DEBIAN-VERSION QT_QPA_PLATFORM...
# Spirex is started once for each platform and driven with real pointer and keyboard events by
# the test's shell extension; then once more with the Orca screen reader listening, on the first
# platform. Each row prints pass or FAIL; the counts go to the pictures' folder.
set -euo pipefail

readonly work=/srv/spirex
readonly pictures=$work/pictures
readonly main="Spirex 1.1 di  Orlesti"
readonly dialog="Informazioni su Spirex"
readonly app=org.example.Spirex.desktop
# Where the About dialog's client area first opens, wherever a program may place its windows.
readonly stored_x=156 stored_y=129
# Waits, in seconds: for the shell to start, for Orca to listen (about one second here), for a
# window to come up or go, for a click's answer, and for a key press's or a title bar's answer to
# settle.
readonly shell_start=30 orca_start=5 window_wait=20 click_wait=3 settle=1.5

state=$(mktemp -d)
passed=0 failed=0
label=""

call() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/example/SpirexTest \
        --method "org.example.SpirexTest.$1" "${@:2}"
}
keys() {
    local list
    list=$(printf "'%s'," "$@")
    call Keys "[${list%,}]" >/dev/null
}
click() { [[ -z $1 ]] || call Pointer "$1" "$2" "${3:-1}" >/dev/null; } # nowhere: no window
snap() { call Windows "$state/w.json" >/dev/null; }
widgets() { call Widgets spirex "$state/widgets.json" >/dev/null; }
# jq on the windows, with $M the main window and $D the dialog.
q() {
    jq -e --arg m "$main" --arg d "$dialog" '([.windows[] | select(.title == $m)][0]) as $M |
        ([.windows[] | select(.title == $d)][0]) as $D | '"$1" "$state/w.json"
}
wait_for() { # jq condition, seconds
    local tries
    for ((tries = 0; tries < ${2%.*} * 5; tries++)); do
        snap && q "$1" >/dev/null && return 0
        sleep 0.2
    done
    return 1
}
# A row: its description, and "ok" when it holds.
record() {
    if [[ $2 == ok ]]; then
        echo "pass  $label: $1"
        passed=$((passed + 1))
    else
        echo "FAIL  $label: $1"
        failed=$((failed + 1))
    fi
}
row() { # description, jq condition on the windows
    if q "$2" >/dev/null; then
        record "$1" ok
    else
        record "$1" no
        jq -c '.windows[] | select(.title == $m or .title == $d)' --arg m "$main" --arg d "$dialog" \
            "$state/w.json" | sed 's/^/      /'
    fi
}
# The screen point of a widget's centre, from the accessibility tree: under XWayland its place on
# the screen; on Wayland its place in the window's content, and the content's place in the
# window's frame (the frame less Qt's title bar). (Qt 6.4 gives the first place right, the second
# with its size grown by the window's place.)
point() { # window title, widget role, widget name
    widgets
    jq -r --arg t "$1" --arg r "$2" --arg n "$3" --slurpfile w "$state/w.json" '
        ([$w[0].windows[] | select(.title == $t)][0]) as $W |
        ([.[] | select(.role == "frame" and .name == $t)][0]) as $F |
        ([.[] | select(.role == $r and .name == $n)][0]) as $C |
        (if $W.x11 then $C.screen else (($W.frame.width - $F.width) / 2) as $side |
            $C + {x: ($W.frame.x + $side + $C.x),
                y: ($W.frame.y + $W.frame.height - $F.height - $side + $C.y)} end) as $R |
        "\($R.x + ($R.width / 2) | floor) \($R.y + ($R.height / 2) | floor)"' \
        "$state/widgets.json"
}
picture() { # name, window title
    local r
    r=$(jq -r --arg t "$2" '.windows[] | select(.title == $t) | .frame | "\(.x) \(.y) \(.width) \(.height)"' \
        "$state/w.json")
    # shellcheck disable=SC2086
    call Screenshot "$pictures/$1.png" $r >/dev/null || echo "      no picture of $2"
}

# Starts Spirex on the platform and waits until its main window is focused and its widgets can be
# read; its pid is left in $spirex.
start_spirex() { # QT_QPA_PLATFORM
    local tries
    QT_QPA_PLATFORM=$1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 spirex >"$pictures/spirex-$1.log" 2>&1 &
    spirex=$!
    wait_for '$M.focus' "$window_wait" || echo "      $label: the main window did not come up focused"
    # Its widgets are read through the accessibility bus, which the first program starts.
    for ((tries = 0; tries < 100; tries++)); do
        widgets
        jq -e '.[] | select(.role == "menu item")' "$state/widgets.json" >/dev/null && return
        sleep 0.2
    done
}
stop_spirex() {
    kill "$spirex"
    wait "$spirex" 2>/dev/null || true
    wait_for '$M == null and $D == null' "$window_wait" || true # the next rows find only their own
}

# The typical use, by keyboard: List1 has the focus and finds a core as its name is typed.
typical_use() {
    keys t 5 0 period 1 0 Tab space
    sleep "$settle"
    keys 1 0 0 Tab space
    sleep "$settle"
}

rows() { # QT_QPA_PLATFORM
    local qpa=$1 x y name size
    start_spirex "$qpa"
    typical_use
    widgets
    if jq -e '[.[] | select(.role == "label" and .name == "180")] | length == 1' \
        "$state/widgets.json" >/dev/null; then
        record "the typical use gives 180" ok
    else
        record "the typical use gives 180" no
    fi
    picture "$qpa-typical-use" "$main"

    read -r x y < <(point "$main" "menu item" Informazioni)
    click "$x" "$y"
    wait_for '$D.focus' "$window_wait" || true
    [[ $qpa == xcb ]] && row "the About dialog opens at its stored place ($stored_x, $stored_y)" \
        "\$D.client.x == $stored_x and \$D.client.y == $stored_y"
    row "the About dialog opens focused, without a notice" \
        '$D.focus and ($D.attention | not) and (.notices | length == 0)'
    picture "$qpa-dialog" "$dialog"

    # A click on the main window, where the dialog does not cover it.
    for name in "Nell'inserimento dati il separatore dei decimali dev'essere il punto (non la virgola)" \
        "Numero di spire" "Scegliere il tipo di nucleo"; do
        read -r x y < <(point "$main" label "$name")
        snap
        jq -e --arg d "$dialog" --argjson x "$x" --argjson y "$y" '.windows[] | select(.title == $d) |
            .frame | ($x < .x or $x >= .x + .width or $y < .y or $y >= .y + .height)' \
            "$state/w.json" >/dev/null && break
    done
    click "$x" "$y"
    wait_for '$M.focus and $M.stack > $D.stack' "$click_wait" || true
    row "a click on the main window brings it in front of the dialog" \
        '$M.focus and $M.stack > $D.stack'
    picture "$qpa-main" "$main"

    read -r x y < <(point "$main" "menu item" Informazioni)
    click "$x" "$y"
    wait_for '$D.focus and $D.stack > $M.stack' "$click_wait" || true
    row "\"Informazioni\" again makes the dialog focused and on top" \
        '$D.focus and $D.stack > $M.stack'
    row "... without an \"is ready\" notice" '($D.attention | not) and (.notices | length == 0)'
    row "... and there is still exactly one dialog" '[.windows[] | select(.title == $d)] | length == 1'

    size=$(jq -c --arg d "$dialog" '.windows[] | select(.title == $d) | .frame | [.width, .height]' \
        "$state/w.json")
    read -r x y < <(jq -r --arg d "$dialog" '.windows[] | select(.title == $d) |
        "\(.frame.x + .frame.width / 2 | floor) \(.frame.y + 12)"' "$state/w.json") || true
    click "$x" "$y" 2
    sleep "$settle"
    snap
    row "a double-click on its title bar leaves its size" \
        "(\$D.maximized | not) and ([\$D.frame.width, \$D.frame.height] == $size)"
    keys Super_L+Up
    sleep "$settle"
    snap
    row "Super+Up leaves its size" \
        "(\$D.maximized | not) and ([\$D.frame.width, \$D.frame.height] == $size)"

    row "both windows belong to $app" "\$M.app == \"$app\" and \$D.app == \"$app\""
    [[ $qpa == wayland ]] && row "both carry the desktop entry's id as their app id" \
        '$M.wmClass == "org.example.Spirex" and $D.wmClass == "org.example.Spirex"'
    row "the dialog is independent, without a taskbar button of its own" \
        '$D.parent == null and ($D.x11 | not or $D.skipTaskbar)'
    call Overview true >/dev/null
    sleep 1
    call Screenshot "$pictures/$qpa-overview.png" 0 0 0 0 >/dev/null
    call Overview false >/dev/null
    stop_spirex
}

# --- Orca ------------------------------------------------------------------------------------------

# What Orca said from time $1 to time $2 (as `date +%T.%6N` gives them; its log's lines begin so),
# one utterance a line.
said() {
    awk -v from="$1" -v to="$2" '$1 >= from && $1 < to && / - SPEECH OUTPUT: /' \
        "$pictures/orca.log" | sed -E "s/^[^ ]* - SPEECH OUTPUT: '//; s/' ?\{.*$//"
}
# A row on what Orca said in one step: the words it must have said once, and only once.
heard() { # step, description, words
    local count
    count=$(grep -cF -- "$3" "$state/$1.said" || true)
    if ((count == 1)); then
        record "$2" ok
    else
        record "$2 (said $count times)" no
    fi
}

orca_rows() { # QT_QPA_PLATFORM
    local qpa=$1
    orca --replace --debug-file="$pictures/orca.log" >"$pictures/orca-messages.log" 2>&1 &
    local orca=$!
    sleep "$orca_start" # Orca writes its log in blocks: when it begins to listen shows only later
    start_spirex "$qpa"
    sleep "$settle"

    # The typical use, step by step, and a refusal: a letter typed in place of the value.
    local -A pressed=([core]="t 5 0 period 1 0 Tab space" [turns]="1 0 0 Tab space"
        [refusal]="Shift_L+Tab Control_L+a a Tab space")
    local -A from to
    local step
    for step in core turns refusal; do
        from[$step]=$(date +%T.%6N)
        # shellcheck disable=SC2086 # one key a word
        keys ${pressed[$step]}
        sleep "$settle"
        to[$step]=$(date +%T.%6N)
    done
    stop_spirex
    kill "$orca" # Orca writes the rest of its log as it stops
    wait "$orca" 2>/dev/null || true
    for step in core turns refusal; do
        said "${from[$step]}" "${to[$step]}" >"$state/$step.said"
        echo "      Orca said, for the keys ${pressed[$step]}:"
        sed 's/^/        | /' "$state/$step.said"
    done
    heard core "Orca speaks the core's material, range and unit" \
        "Nucleo: Nero. Freq: da 30 MHz a 100 MHz. Inserire valore micro Henry"
    heard turns "Orca speaks the turns" "Numero di spire: 180"
    heard refusal "Orca speaks the refusal" "Scegliere il nucleo ed inserire l'induttanza"
}

# --- the session -----------------------------------------------------------------------------------

session() { # Debian's version, QT_QPA_PLATFORM...
    local version=$1 ext=$HOME/.local/share/gnome-shell/extensions/spirex-test@example.org
    local tries name qpa
    mkdir -p "$ext"
    cp "$work"/src/tests/desktop/spirex-test@example.org/* "$ext/"
    if [[ $(gnome-shell --version) == *" 4"[0-4].* ]]; then
        # Before GNOME 45 the shell loads an extension as a legacy module: imports.*, and an init().
        sed -E -i -e "s|^import (\w+) from 'gi://(\w+)';|const \1 = imports.gi.\2;|" \
            -e "s|^import \* as (\w+) from 'resource://.*/ui/(\w+)\.js';|const \1 = imports.ui.\2;|" \
            -e '/^import \{Extension\}/d' \
            -e 's/^export default class (\w+) extends Extension \{/class \1 {/' \
            -e '$a function init() { return new SpirexTestExtension(); }' \
            "$ext/extension.js"
    fi
    gsettings set org.gnome.shell enabled-extensions "['spirex-test@example.org']"
    gsettings set org.gnome.shell welcome-dialog-last-shown-version "'99'"
    gsettings set org.gnome.desktop.interface toolkit-accessibility true
    gnome-shell --headless --wayland --virtual-monitor 1280x1024 >"$pictures/shell.log" 2>&1 &
    local shell=$!
    for ((tries = 0; tries < shell_start * 5; tries++)); do
        call Env WAYLAND_DISPLAY >/dev/null 2>&1 && break
        sleep 0.2
    done
    call Overview false >/dev/null # GNOME starts in the overview
    for name in WAYLAND_DISPLAY DISPLAY XAUTHORITY; do
        export "$name=$(call Env "$name" | sed "s/^('\(.*\)',)$/\1/")"
    done
    for qpa in "${@:2}"; do
        label="Debian $version $([[ $qpa == xcb ]] && echo XWayland || echo Wayland)"
        rows "$qpa"
    done
    qpa=$2
    label="Debian $version $([[ $qpa == xcb ]] && echo XWayland || echo Wayland), Orca"
    orca_rows "$qpa"
    kill "$shell"
    echo "$passed $failed" >"$pictures/counts"
}

session "$@"
