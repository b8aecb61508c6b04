#!/usr/bin/env bash
# Runs the cross-built Windows tests under Wine, headless, in a prefix of their own.
#   wine.sh setup PREFIX            create the prefix (once) and start its wineserver
#   wine.sh run PREFIX EXE [ARG]... run EXE in it; its output with CR LF turned into LF
#   wine.sh cleanup PREFIX          stop the prefix's wineserver
set -euo pipefail
command=$1
prefix=$(realpath -m "$2")
shift 2

unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$prefix/pfx" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$prefix/home"
# Wine 10's wineboot aborts when TMPDIR is set and /run/user/$UID does not exist (chroots,
# containers, root without a login session); Wine keeps its temporary files in the prefix anyway.
unset TMPDIR
wine=/usr/lib/wine/wine64

case $command in
setup)
    mkdir -p "$HOME"
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        "$wine" wineboot -i </dev/null >/dev/null 2>&1
        wineserver -w
    fi
    # A persistent server, started with every stream redirected: it must not hold the output
    # pipe of the test that started it.
    { wineserver -p && "$wine" cmd /c exit 0; } </dev/null >/dev/null 2>&1
    ;;
run)
    "$wine" "$@" </dev/null 2>&1 | tr -d '\r'
    exit "${PIPESTATUS[0]}"
    ;;
cleanup)
    wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
*)
    echo "wine.sh: unknown command $command" >&2
    exit 2
    ;;
esac
