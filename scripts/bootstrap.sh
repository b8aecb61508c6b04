#!/usr/bin/env bash
# Installs what Spirex needs on Debian, and nothing that is already there: apt-get runs only for
# missing packages, through sudo when not run as root.
#   bootstrap.sh run        building and running Spirex (and Xvfb when there is no display)
#   bootstrap.sh test       all that, and what every test needs
#   bootstrap.sh windows    cross-building the Windows program, and playing it under Wine
#   bootstrap.sh PACKAGE... those packages (resources/render.sh asks for its renderer)
set -euo pipefail

# The program builds Liberation Sans 2 into itself, renamed by a Python script (on Debian 13
# fonts-liberation2 brings fonts-liberation, which holds it there).
run=(build-essential cmake ninja-build qt6-base-dev fonts-liberation2 python3 fontconfig
    # the windows on Linux desktops: X11 window states, and Wayland activation through Qt
    qt6-base-private-dev libxcb1-dev libwayland-dev)
if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    run+=(xvfb xauth) # make run plays the typical use on a virtual display instead
fi
windows=(
    # Qt for Windows from Debian's source, and Spirex against it
    mingw-w64 dpkg-dev patch xz-utils qt6-base-dev qt6-base-dev-tools cmake ninja-build
    # the installer; the widget tests built for Windows
    nsis googletest
    # the zip played under Wine on a virtual display, and its version record read back
    wine wine64 fonts-wine fonts-liberation xvfb xauth xdotool python3-pefile
)
test=(
    "${run[@]}" xvfb xauth
    # GoogleTest, Clang with its sanitizer and libFuzzer runtimes, the format check, a
    # comma-decimal locale
    libgtest-dev googletest clang libclang-rt-dev clang-format locales
    # the Qt-free code cross-built and its Windows layer run under Wine
    mingw-w64 wine wine64 python3-pefile
    # packaging: the Debian package, its checks and the desktop files' validators; diffoscope
    # shows where two builds that should be the same differ
    dpkg-dev file desktop-file-utils appstream lintian diffoscope-minimal
    # the Windows program under Wine, where Qt for Windows is cached
    fonts-wine xdotool
    # the windows read under the palette that GNOME's dark style gives Qt programs
    qt6-gtk-platformtheme
    # what a screen reader is told, heard on the accessibility bus
    dbus at-spi2-core python3-pyatspi
    # a desktop set up against the tests: more fonts that answer for Arial and Liberation Sans
    fonts-croscore
)

packages=()
for word in "$@"; do
    case $word in
    run) packages+=("${run[@]}") ;;
    test) packages+=("${test[@]}") ;;
    windows) packages+=("${windows[@]}") ;;
    *) packages+=("$word") ;;
    esac
done

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in $(printf '%s\n' "${packages[@]}" | sort -u); do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
        echo "bootstrap: missing ${missing[*]}; without sudo, install them as root" \
            "(apt-get install ${missing[*]}) and run this again" >&2
        exit 1
    fi
    echo "bootstrap: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The unit tests run a second time under Italian regional settings, whose decimal separator is the
# comma; the widget tests once more from a German desktop's environment.
for wanted in it_IT de_DE; do
    if [[ " $* " == *" test "* ]] && ! locale -a 2>/dev/null | grep -qix "$wanted\.utf-\?8"; then
        echo "bootstrap: generating the $wanted.UTF-8 locale"
        if [[ -f /etc/locale.gen ]] && grep -q "$wanted.UTF-8 UTF-8" /etc/locale.gen; then
            as_root sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
            as_root locale-gen
        else
            as_root locale-gen "$wanted.UTF-8"
        fi
    fi
done
