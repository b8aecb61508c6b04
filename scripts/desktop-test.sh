#!/usr/bin/env bash
# Spirex in a real GNOME Shell session, driven with real pointer and keyboard events by a small
# shell extension, and heard through the Orca screen reader: on Debian 13 (GNOME 48) natively on
# Wayland and under XWayland; on Debian 12 (GNOME 43), whose Qt 6.4 runs Spirex through XWayland
# there, under XWayland.
#
# A root for each release, made once with debootstrap from the archive the system's apt sources
# name, is cached in ~/.cache/spirex/desktop/<release>/. The committed sources
# (SPIREX_DESKTOP_COMMIT, HEAD by default) are copied into it, and tests/desktop/root.sh builds and
# installs Spirex's Debian package there and runs the session's rows (tests/desktop/session.sh).
# Pictures and logs go to build/pictures/desktop/. Run as root: the roots are entered with chroot.
set -euo pipefail

# What a root needs besides Spirex's own build (scripts/bootstrap.sh run, run in the root).
readonly desktop=(gnome-shell xwayland dbus libglib2.0-bin at-spi2-core libgl1-mesa-dri
    fonts-cantarell jq dpkg-dev file
    # Qt's xcb platform, which GNOME's users have through Qt's recommended packages
    libxcb-cursor0
    # the screen reader, whose log tells what it said
    orca)
# Natively on Wayland: the title bar's buttons come from the portal.
readonly wayland=(xdg-desktop-portal-gnome qt6-wayland)
# What configuring the tests needs besides Spirex's own build, in Debian testing's root.
readonly testing=(libgtest-dev xvfb xauth desktop-file-utils appstream)
# Where the sources, the build and the pictures go inside a root.
readonly work=/srv/spirex

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

# Makes the root once, and installs the packages it lacks whenever the list changes.
prepare_root() { # Debian's version, its name, its root, packages...
    local version=$1 name=$2 root=$3 start=$SECONDS
    local packages=("${@:4}")
    if [[ ! -x $root/usr/bin/apt-get ]]; then
        echo "desktop-test: making the Debian $version root once, in $root"
        rm -rf "$root.new"
        mkdir -p "${root%/*}"
        # Debian 12's debootstrap knows testing only by the script that unstable shares with it.
        debootstrap --variant=minbase "$name" "$root.new" "$archive" \
            "$(ls "/usr/share/debootstrap/scripts/$name" 2>/dev/null ||
                echo /usr/share/debootstrap/scripts/sid)" >"${root%/*}/debootstrap.log"
        # The archive's copy of testing may be older than its Release file allows; its signature
        # is still checked.
        [[ $name == "$testing_name" ]] &&
            echo 'Acquire::Check-Valid-Until "false";' >"$root.new/etc/apt/apt.conf.d/99spirex"
        mv "$root.new" "$root"
    fi
    if [[ $(cat "$root/.spirex-desktop" 2>/dev/null) != "${packages[*]}" ]]; then
        echo "desktop-test: installing GNOME Shell, Orca and the build's tools in the Debian $version root"
        unshare --mount --fork sh -c "mount -t proc proc '$root/proc' && chroot '$root' sh -c \
            'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            --no-install-recommends ${packages[*]} >/dev/null'"
        echo "${packages[*]}" >"$root/.spirex-desktop"
    fi
    echo "desktop-test: the Debian $version root is ready ($((SECONDS - start)) s)"
}

release() { # Debian's version, its name, QT_QPA_PLATFORM values, packages...
    local version=$1 name=$2 qpa=$3 root=$cache/desktop/$2 start p f
    prepare_root "$version" "$name" "$root" "${@:4}"
    rm -rf "${root:?}$work"
    mkdir -p "$root$work/src" "$root$work/pictures" "$pictures/debian-$version"
    git -C "$project" archive "${SPIREX_DESKTOP_COMMIT:-HEAD}" | tar -x -C "$root$work/src"
    start=$SECONDS
    unshare --mount --fork sh -c "
        mount -t proc proc '$root/proc' && mount -t sysfs sys '$root/sys' &&
        mount -t tmpfs run '$root/run' && mount -t tmpfs tmp '$root/tmp' &&
        mount -t tmpfs shm '$root/dev/shm' &&
        chroot '$root' bash $work/src/tests/desktop/root.sh $version $qpa" || status=$?
    cp "$root$work"/pictures/* "$pictures/debian-$version/" 2>/dev/null || true
    if read -r p f <"$root$work/pictures/counts"; then
        passed=$((passed + p)) failed=$((failed + f))
    else
        echo "desktop-test: Debian $version: the session gave no rows" && status=1
    fi
    echo "desktop-test: Debian $version: the build and the session took $((SECONDS - start)) s"
}

# Debian testing's newer Qt (6.11 when this was written) asks for Qt's private interface as a
# package of its own and warns, or fails, where a project takes it without asking: Spirex, with its
# tests, configures there without a single CMake warning, and the program builds.
build_in_testing() {
    local root=$cache/desktop/$testing_name start log
    prepare_root testing "$testing_name" "$root" "${testing[@]}"
    rm -rf "${root:?}$work"
    mkdir -p "$root$work/src"
    git -C "$project" archive "${SPIREX_DESKTOP_COMMIT:-HEAD}" | tar -x -C "$root$work/src"
    start=$SECONDS
    log=$pictures/testing-build.log
    if unshare --mount --fork sh -c "mount -t proc proc '$root/proc' && chroot '$root' sh -c '
        cd $work/src && export LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive &&
        WAYLAND_DISPLAY=none bash scripts/bootstrap.sh run && dpkg-query -W qt6-base-dev &&
        cmake -S . -B $work/build -G Ninja -Werror=dev -DSPIREX_BUILD_TESTS=ON &&
        nice cmake --build $work/build --target spirex'" >"$log" 2>&1 &&
        ! grep -q "CMake Warning" "$log"; then
        echo "pass  Debian testing (Qt $(awk '/^qt6-base-dev/ { print $2 }' "$log")): Spirex" \
            "configures without a CMake warning and builds"
        passed=$((passed + 1))
    else
        echo "FAIL  Debian testing: Spirex does not configure without a warning, or does not build;" \
            "see $log"
        failed=$((failed + 1))
    fi
    echo "desktop-test: Debian testing: the build took $((SECONDS - start)) s"
}

readonly testing_name=forky
mkdir -p "$pictures"
release 13 trixie "wayland xcb" "${desktop[@]}" "${wayland[@]}"
release 12 bookworm xcb "${desktop[@]}"
build_in_testing
echo "desktop-test: rows on Debian 13 and 12, and the build on Debian testing; pictures in $pictures"
echo "desktop-test: $passed passed, $failed failed"
((status == 0 && failed == 0))
