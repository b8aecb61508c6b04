#!/usr/bin/env bash
# Installs what building and testing Spirex needs on Debian or Ubuntu, and nothing that is already
# there: apt-get runs only for missing packages, through sudo when not run as root.
# Packages named on the command line are installed too (resources/render.sh asks for its renderer).
set -euo pipefail

packages=(
    # build
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools
    # tests: GoogleTest, Clang with its sanitizer and libFuzzer runtimes, a comma-decimal locale
    libgtest-dev googletest clang libclang-rt-14-dev clang-format locales
    # the windows' typefaces, and an X server for the tests and pictures that need a real one
    fonts-liberation fontconfig xvfb xauth
    # the Windows layer: cross-compiler, Wine to run its tests, pefile to read the version record
    mingw-w64 wine wine64 python3-pefile
    # packaging: Debian packages from CPack, and the validators of the desktop files
    dpkg-dev file desktop-file-utils appstream
    "$@"
)

as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "bootstrap: installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The locale tests run the calculator under Italian regional settings, whose decimal separator
# is the comma.
if ! locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8'; then
    echo "bootstrap: generating the it_IT.UTF-8 locale"
    if [[ -f /etc/locale.gen ]] && grep -q 'it_IT.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        as_root locale-gen
    else
        as_root locale-gen it_IT.UTF-8
    fi
fi
