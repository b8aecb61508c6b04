#!/usr/bin/env bash
# Spirex in a real GNOME Shell session, driven with real pointer and keyboard events by a small
# shell extension (tests/desktop/): on Debian 13 (GNOME 48) natively on Wayland and under XWayland;
# on Debian 12 (GNOME 43), whose Qt 6.4 runs Spirex through XWayland there, under XWayland.
#
# A root for each release, made once with debootstrap from the archive the system's apt sources
# name, is cached in ~/.cache/spirex/desktop/<release>/; Spirex's Debian
# package is built in it from the committed sources (SPIREX_DESKTOP_COMMIT, HEAD by default) and
# installed. Pictures go to build/pictures/desktop/. Run as root: the roots are entered with chroot.
set -euo pipefail
# shellcheck disable=SC2016 # jq's variables in single quotes

# What a root needs besides Spirex's own build (scripts/bootstrap.sh run, run in the root).
desktop=(gnome-shell xwayland dbus libglib2.0-bin at-spi2-core libgl1-mesa-dri fonts-cantarell jq
    dpkg-dev file
    # Qt's xcb platform, which GNOME's users have through Qt's recommended packages
    libxcb-cursor0)
# Natively on Wayland: the title bar's buttons come from the portal.
wayland=(xdg-desktop-portal-gnome qt6-wayland)

main="Spirex 1.1 di  Orlesti"
dialog="Informazioni su Spirex"
app=org.example.Spirex.desktop
work=/srv/spirex

# --- in the session, as an ordinary user --------------------------------------------------------

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
# jq on the windows, with $M the main window and $D the dialog.
q() {
    jq -e --arg m "$main" --arg d "$dialog" '([.windows[] | select(.title == $m)][0]) as $M |
        ([.windows[] | select(.title == $d)][0]) as $D | '"$1" "$state/w.json"
}
wait_for() { # jq condition, seconds
    for ((i = 0; i < ${2:-10} * 5; i++)); do
        snap && q "$1" >/dev/null && return 0
        sleep 0.2
    done
    return 1
}
row() {
    if q "$2" >/dev/null; then
        echo "pass  $label: $1"
        passed=$((passed + 1))
    else
        echo "FAIL  $label: $1"
        failed=$((failed + 1))
        jq -c '.windows[] | select(.title == $m or .title == $d)' --arg m "$main" --arg d "$dialog" \
            "$state/w.json" | sed 's/^/      /'
    fi
}
# The screen point of a widget's centre, from the accessibility tree: under XWayland its place on
# the screen; on Wayland its place in the window's content, and the content's place in the
# window's frame (the frame less Qt's title bar). (Qt 6.4 gives the first place right, the second
# with its size grown by the window's place.)
point() { # window title, widget role, widget name
    call Widgets spirex "$state/widgets.json" >/dev/null
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
    call Screenshot "$work/pictures/$1.png" $r >/dev/null || echo "      no picture of $2"
}

rows() { # QT_QPA_PLATFORM, label
    local qpa=$1 x y
    label=$2
    QT_QPA_PLATFORM=$qpa QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 spirex >"$work/pictures/spirex-$qpa.log" 2>&1 &
    local pid=$!
    wait_for '$M.focus' 20 || echo "      $label: the main window did not come up focused"
    # Its widgets are read through the accessibility bus, which the first program starts.
    for ((i = 0; i < 100; i++)); do
        call Widgets spirex "$state/widgets.json" >/dev/null
        jq -e '.[] | select(.role == "menu item")' "$state/widgets.json" >/dev/null && break
        sleep 0.2
    done

    # The typical use, by keyboard: List1 has the focus and finds a core as its name is typed.
    keys t 5 0 period 1 0 Tab space
    sleep 0.5
    keys 1 0 0 Tab space
    sleep 0.5
    call Widgets spirex "$state/widgets.json" >/dev/null
    if jq -e '[.[] | select(.role == "label" and .name == "180")] | length == 1' \
        "$state/widgets.json" >/dev/null; then
        row "the typical use gives 180" true
    else
        row "the typical use gives 180" false
    fi
    picture "$qpa-typical-use" "$main"

    read -r x y < <(point "$main" "menu item" Informazioni)
    click "$x" "$y"
    wait_for '$D.focus' 10 || true
    [[ $qpa == xcb ]] && row "the About dialog opens at its stored place (156, 129)" \
        '$D.client.x == 156 and $D.client.y == 129'
    row "the About dialog opens focused, without a notice" \
        '$D.focus and ($D.attention | not) and (.notices | length == 0)'
    picture "$qpa-dialog" "$dialog"

    # A click on the main window, where the dialog does not cover it.
    local name
    for name in "Nell'inserimento dati il separatore dei decimali dev'essere il punto (non la virgola)" \
        "Numero di spire" "Scegliere il tipo di nucleo"; do
        read -r x y < <(point "$main" label "$name")
        snap
        jq -e --arg d "$dialog" --argjson x "$x" --argjson y "$y" '.windows[] | select(.title == $d) |
            .frame | ($x < .x or $x >= .x + .width or $y < .y or $y >= .y + .height)' \
            "$state/w.json" >/dev/null && break
    done
    click "$x" "$y"
    wait_for '$M.focus and $M.stack > $D.stack' 3 || true
    row "a click on the main window brings it in front of the dialog" \
        '$M.focus and $M.stack > $D.stack'
    picture "$qpa-main" "$main"

    read -r x y < <(point "$main" "menu item" Informazioni)
    click "$x" "$y"
    wait_for '$D.focus and $D.stack > $M.stack' 3 || true
    row "\"Informazioni\" again makes the dialog focused and on top" \
        '$D.focus and $D.stack > $M.stack'
    row "... without an \"is ready\" notice" '($D.attention | not) and (.notices | length == 0)'
    row "... and there is still exactly one dialog" '[.windows[] | select(.title == $d)] | length == 1'

    local size
    size=$(jq -c --arg d "$dialog" '.windows[] | select(.title == $d) | .frame | [.width, .height]' \
        "$state/w.json")
    read -r x y < <(jq -r --arg d "$dialog" '.windows[] | select(.title == $d) |
        "\(.frame.x + .frame.width / 2 | floor) \(.frame.y + 12)"' "$state/w.json") || true
    click "$x" "$y" 2
    sleep 1.5
    snap
    row "a double-click on its title bar leaves its size" \
        "(\$D.maximized | not) and ([\$D.frame.width, \$D.frame.height] == $size)"
    keys Super_L+Up
    sleep 1.5
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
    call Screenshot "$work/pictures/$qpa-overview.png" 0 0 0 0 >/dev/null
    call Overview false >/dev/null
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    wait_for '$M == null and $D == null' 10 || true # the next rows find only their own windows
}

session() { # Debian's version, QT_QPA_PLATFORM...
    state=$(mktemp -d)
    passed=0 failed=0
    local ext=$HOME/.local/share/gnome-shell/extensions/spirex-test@example.org
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
    gnome-shell --headless --wayland --virtual-monitor 1280x1024 >"$work/pictures/shell.log" 2>&1 &
    local shell=$!
    for ((i = 0; i < 150; i++)); do
        call Env WAYLAND_DISPLAY >/dev/null 2>&1 && break
        sleep 0.2
    done
    call Overview false >/dev/null # GNOME starts in the overview
    local name
    for name in WAYLAND_DISPLAY DISPLAY XAUTHORITY; do
        export "$name=$(call Env "$name" | sed "s/^('\(.*\)',)$/\1/")"
    done
    local qpa
    for qpa in "${@:2}"; do
        rows "$qpa" "Debian $1 $([[ $qpa == xcb ]] && echo XWayland || echo Wayland)"
    done
    kill "$shell"
    echo "$passed $failed" >"$work/pictures/counts"
}

# --- in the root, as root: build and install the package, start the system bus, then the session --

in_root() { # Debian's version, QT_QPA_PLATFORM...
    export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
    local start=$SECONDS
    cd "$work/src"
    WAYLAND_DISPLAY=none bash scripts/bootstrap.sh run >/dev/null
    cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DSPIREX_BUILD_TESTS=OFF >/dev/null
    nice cmake --build "$work/build" >/dev/null
    (cd "$work/build" && cpack -G DEB -B package >/dev/null)
    # --reinstall: a package of the same version may be installed from an earlier run.
    apt-get install -y -qq --reinstall "$work"/build/package/spirex_*.deb >/dev/null
    echo "desktop-test: Spirex built and installed in the root in $((SECONDS - start)) s"
    mkdir -p /run/dbus /tmp/.X11-unix
    chmod 1777 /tmp/.X11-unix
    dbus-daemon --system --fork
    id tester >/dev/null 2>&1 || useradd -m tester
    local runtime=/run/user/$(id -u tester)
    mkdir -p -m 0700 "$runtime"
    chown tester: "$runtime" "$work/pictures"
    # The session's own messages go to a log beside the pictures; the rows to the output.
    runuser -u tester -- env -i HOME=/home/tester PATH=/usr/bin:/bin LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$runtime" XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland \
        dbus-run-session -- bash "$work/src/scripts/desktop-test.sh" --session "$@" \
        2>"$work/pictures/session.log"
}

case ${1:-} in
--session) session "${@:2}"; exit ;;
--in-root) in_root "${@:2}"; exit ;;
esac

# --- on the host ----------------------------------------------------------------------------------

project=$(cd "$(dirname "$0")/.." && pwd)
cache=${SPIREX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/spirex}
pictures=$project/build/pictures/desktop
if [[ $(id -u) -ne 0 ]]; then
    echo "desktop-test: run as root (the Debian roots are entered with chroot)" >&2
    exit 1
fi
bash "$project/scripts/bootstrap.sh" debootstrap git
archive=$(bash "$project/scripts/windows-qt.sh" --sources | awk '$1 == "main" { print $2 }')
rm -rf "$pictures"
passed=0 failed=0 status=0

release() { # Debian's version, its name, its root, QT_QPA_PLATFORM values, packages
    local version=$1 name=$2 root=$3 qpa=$4 start=$SECONDS p f
    local packages=("${@:5}")
    if [[ ! -x $root/usr/bin/apt-get ]]; then
        echo "desktop-test: making the Debian $version root once, in $root"
        rm -rf "$root.new"
        mkdir -p "${root%/*}"
        debootstrap --variant=minbase "$name" "$root.new" "$archive" >"${root%/*}/debootstrap.log"
        mv "$root.new" "$root"
    fi
    if [[ $(cat "$root/.spirex-desktop" 2>/dev/null) != "${packages[*]}" ]]; then
        echo "desktop-test: installing GNOME Shell and the build's tools in the Debian $version root"
        unshare --mount --fork sh -c "mount -t proc proc '$root/proc' && chroot '$root' sh -c \
            'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            --no-install-recommends ${packages[*]} >/dev/null'"
        echo "${packages[*]}" >"$root/.spirex-desktop"
    fi
    echo "desktop-test: the Debian $version root is ready ($((SECONDS - start)) s)"

    rm -rf "${root:?}$work"
    mkdir -p "$root$work/src" "$root$work/pictures" "$pictures/debian-$version"
    git -C "$project" archive "${SPIREX_DESKTOP_COMMIT:-HEAD}" | tar -x -C "$root$work/src"
    start=$SECONDS
    unshare --mount --fork sh -c "
        mount -t proc proc '$root/proc' && mount -t sysfs sys '$root/sys' &&
        mount -t tmpfs run '$root/run' && mount -t tmpfs tmp '$root/tmp' &&
        mount -t tmpfs shm '$root/dev/shm' &&
        chroot '$root' bash $work/src/scripts/desktop-test.sh --in-root $version $qpa" || status=$?
    cp "$root$work"/pictures/* "$pictures/debian-$version/" 2>/dev/null || true
    if read -r p f <"$root$work/pictures/counts"; then
        passed=$((passed + p)) failed=$((failed + f))
    else
        echo "desktop-test: Debian $version: the session gave no rows" && status=1
    fi
    echo "desktop-test: Debian $version: the build and the session took $((SECONDS - start)) s"
}

release 13 trixie "$cache/desktop/trixie" "wayland xcb" "${desktop[@]}" "${wayland[@]}"
release 12 bookworm "$cache/desktop/bookworm" xcb "${desktop[@]}"
echo "desktop-test: rows on Debian 13 and 12; pictures in $pictures"
echo "desktop-test: $passed passed, $failed failed"
((status == 0 && failed == 0))
