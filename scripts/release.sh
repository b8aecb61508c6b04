#!/usr/bin/env bash
# A release of Spirex: from the committed sources, the Debian package, the Windows zip and the
# Windows installer, with SHA256SUMS, in dist/. Anyone can rebuild them to the same bytes: the
# sources are exported from the commit, times come from the commit (SOURCE_DATE_EPOCH), no build
# folder is named in a binary, and archives hold their files in a fixed order with fixed
# permissions and no owners.
#   release.sh                       refuses with uncommitted changes; builds into dist/
#   release.sh --build SRC OUT [linux]
#                                    builds the release's files from the sources in SRC into OUT
#                                    (only the Debian package with "linux"); SPIREX_COMMIT and
#                                    SOURCE_DATE_EPOCH must be set
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# build SRC OUT [linux]: everything is built in OUT's folder "work", beside the sources' copy.
build() {
    local src out work flags
    src=$(realpath "$1")
    out=$(realpath -m "$2")
    work=$out.work
    rm -rf "$out" "$work"
    mkdir -p "$out" "$work"
    # The folders' names stay out of the binaries.
    flags="-ffile-prefix-map=$src=/spirex -ffile-prefix-map=$work=/spirex-build"
    export SOURCE_DATE_EPOCH SPIREX_COMMIT QT_RCC_SOURCE_DATE_OVERRIDE=$SOURCE_DATE_EPOCH TZ=UTC

    echo "release: the Debian package"
    cmake -S "$src" -B "$work/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DSPIREX_BUILD_TESTS=OFF \
        -DSPIREX_COMMIT="$SPIREX_COMMIT" -DCMAKE_CXX_FLAGS="$flags" >/dev/null
    cmake --build "$work/linux" >/dev/null
    (cd "$work/linux" && cpack -G DEB -B "$work/deb" >/dev/null)
    cp "$work"/deb/*.deb "$out/"

    if [[ ${3:-} != linux ]]; then
        echo "release: the Windows program, its zip and its installer"
        local qt
        bash "$root/scripts/windows-qt.sh" >&2 # builds Qt for Windows once, when it is not cached
        qt=$(bash "$root/scripts/windows-qt.sh" --prefix)
        cmake -S "$src" -B "$work/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DSPIREX_BUILD_TESTS=OFF -DSPIREX_COMMIT="$SPIREX_COMMIT" -DCMAKE_CXX_FLAGS="$flags" \
            -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
            -DQT_CHAINLOAD_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
            -DSPIREX_FONT_DIR="$(bash "$root/scripts/windows-qt.sh" --fonts)" >/dev/null
        cmake --build "$work/windows" --target windows_zip >/dev/null
        cp "$work"/windows/spirex-*-win64.zip "$work"/windows/spirex-*-win64-setup.exe "$out/"
    fi
    # The files in the C locale's order: another locale would sort their names otherwise.
    (cd "$out" && export LC_ALL=C && sha256sum -- * >SHA256SUMS)
    chmod 0644 "$out"/* # readable by all, whatever the umask
    rm -rf "$work"
}

if [[ ${1:-} == --build ]]; then
    : "${SPIREX_COMMIT:?}" "${SOURCE_DATE_EPOCH:?}"
    build "$2" "$3" "${4:-}"
    exit 0
fi

cd "$root"
if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "release: refused: there are uncommitted changes; a release is built from a commit:" >&2
    git status --short --untracked-files=no >&2
    exit 1
fi
started=$(date +%s)
SPIREX_COMMIT=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
echo "release: Spirex at commit $SPIREX_COMMIT ($(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
exported=$(mktemp -d)
trap 'rm -rf "$exported"' EXIT
git archive --format=tar HEAD | tar -x -C "$exported"
build "$exported" "$root/dist"
echo "release: built in $(($(date +%s) - started)) s; dist/:"
(cd dist && ls -l --time-style=+ -- * | awk '{ printf "  %-36s %10d bytes\n", $NF, $5 }' && sed 's/^/  /' SHA256SUMS)
