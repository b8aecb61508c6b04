#!/usr/bin/env bash
# The desktop test inside a Debian root, as root:
#   root.sh DEBIAN-VERSION QT_QPA_PLATFORM...
# builds Spirex's Debian package from the sources in /srv/spirex/src with the root's own Qt,
# installs it, starts the system bus, and runs the session's rows (session.sh) as an ordinary
# user in a session bus of its own.
set -euo pipefail

readonly work=/srv/spirex
readonly user=tester

export DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8
start=$SECONDS
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
id "$user" >/dev/null 2>&1 || useradd -m "$user"
runtime=/run/user/$(id -u "$user")
mkdir -p /run/user && mkdir -m 0700 "$runtime"
chown "$user": "$runtime" "$work/pictures"
# The session's own messages go to a log beside the pictures; the rows to the output.
runuser -u "$user" -- env -i HOME="/home/$user" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    XDG_RUNTIME_DIR="$runtime" XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland \
    dbus-run-session -- bash "$work/src/tests/desktop/session.sh" "$@" \
    2>"$work/pictures/session.log"
