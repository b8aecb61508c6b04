#!/usr/bin/env bash
# Qt base for 64-bit Windows, cross-built with mingw-w64 from Debian's own source package of the
# version of the host's Qt tools, once, into a cache outside the build tree that later runs reuse.
# Only what Spirex uses is built: Core, Gui, Widgets and Test (the player of the typical use), the
# windows platform plugin and the styles. Spirex's images need no image-format plugin.
#
#   windows-qt.sh            build when missing; print the installed prefix on the last line
#   windows-qt.sh --prefix   print where the prefix is (or would be), build nothing
#
# The source is fetched with apt through lists of its own under the cache: the system's apt
# configuration is not touched. Debian's security patches (cve-*) are applied.
set -euo pipefail

project=$(cd "$(dirname "$0")/.." && pwd)
cache=${SPIREX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/spirex}

# The host tools (moc, rcc, uic) must be of the very version that is cross-built.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
if [[ -z $version ]]; then
    echo "windows-qt: qt6-base-dev-tools is not installed (scripts/bootstrap.sh windows installs it)" >&2
    exit 1
fi
upstream=${version%-*}   # 6.4.2+dfsg
upstream=${upstream#*:}
prefix=$cache/qt6-base-$version-win64

# The build's settings; a change to them builds afresh into a new stamp.
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Modules Spirex does not use.
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF
    # Libraries that Spirex's texts and images do not need.
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    # Debian's tarball leaves out the Wintab headers that tablet input is built on.
    -DFEATURE_tabletevent=OFF
    # Qt's bundled copies, built for Windows; nothing from the host.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_pkg_config=OFF
)
stamp_text="$version ${options[*]} $(sha256sum "$project/cmake/mingw-w64-x86_64.cmake" | cut -c1-16)"

if [[ ${1:-} == --prefix ]]; then
    echo "$prefix"
    exit 0
fi

if [[ -f $prefix/spirex-stamp && $(cat "$prefix/spirex-stamp") == "$stamp_text" ]]; then
    echo "windows-qt: Qt $upstream for Windows is cached in $prefix"
    echo "$prefix"
    exit 0
fi

started=$(date +%s)
echo "windows-qt: Qt $upstream for Windows is not cached yet: building it once into $prefix"
echo "windows-qt: this takes about 20 minutes on 2 cores (measured here: 19 min 37 s); later runs reuse it"

# 1. The source, verified by apt against Debian's signed index.
apt_dir=$cache/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache" "$cache/src"
archive=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
archive=${archive:-http://deb.debian.org/debian}
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
cat >"$apt_dir/source.sources" <<EOF
Types: deb-src
URIs: $archive
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: ${archive%/debian}/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o APT::Sandbox::User=root)
dsc=$cache/src/qt6-base_${version#*:}.dsc
if [[ ! -f $dsc ]]; then
    echo "windows-qt: fetching Debian's source of qt6-base $version (46 MB)"
    apt-get "${apt_options[@]}" -qq update
    (cd "$cache/src" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$version")
fi

# 2. Unpacked afresh, with the security patches only (the others are Debian's packaging), and
# configured; an interrupted build with the same settings is resumed instead.
source=$cache/src/qt6-base-$upstream
build=$cache/qt6-base-$version-win64-build
if [[ -f $build/spirex-stamp && $(cat "$build/spirex-stamp") == "$stamp_text" ]]; then
    echo "windows-qt: resuming the interrupted build in $build"
else
    rm -rf "$source" "$build"
    (cd "$cache/src" && dpkg-source --skip-patches -x "$dsc" "$source" >/dev/null)
    while read -r patch; do
        case $patch in
        cve-*)
            echo "windows-qt: applying $patch"
            patch -d "$source" -p1 -s <"$source/debian/patches/$patch"
            ;;
        esac
    done <"$source/debian/patches/series"
    echo "windows-qt: configuring"
    cmake -S "$source" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" >"$cache/qt-configure.log" 2>&1 || {
        tail -40 "$cache/qt-configure.log"
        echo "windows-qt: configuring failed; the whole log is $cache/qt-configure.log" >&2
        exit 1
    }
    echo "$stamp_text" >"$build/spirex-stamp"
fi

# 3. Built and installed.
rm -rf "$prefix"
echo "windows-qt: building (progress every 5 %; the whole log is $cache/qt-build.log)"
set +o pipefail
nice cmake --build "$build" --parallel "$(nproc)" 2>&1 | tee "$cache/qt-build.log" |
    awk -F'[][/]' '/^\[[0-9]+\/[0-9]+\]/ {
        step = 100 * $2 / $3
        if (step >= next_step) { printf "windows-qt: %3d %% (%s of %s)\n", step, $2, $3; next_step = step + 5 }
        fflush() }'
status=${PIPESTATUS[0]}
set -o pipefail
if ((status != 0)); then
    grep -B2 -A12 -m3 'FAILED\|error:' "$cache/qt-build.log" >&2 || true
    echo "windows-qt: the Qt build failed; the whole log is $cache/qt-build.log" >&2
    exit 1
fi
cmake --install "$build" >/dev/null
echo "$stamp_text" >"$prefix/spirex-stamp"
rm -rf "$build" "$source"

elapsed=$(($(date +%s) - started))
echo "windows-qt: Qt $upstream for Windows built in $((elapsed / 60)) min $((elapsed % 60)) s," \
    "$(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
