#!/usr/bin/env bash
# Qt base for 64-bit Windows, cross-built with mingw-w64 from Debian's own source package of the
# version of the host's Qt tools, once, into a cache outside the build tree that later runs reuse.
# Only what Spirex uses is built: Core, Gui, Widgets and Test (the player of the typical use), the
# windows platform plugin and the styles. Spirex's images need no image-format plugin.
#
#   windows-qt.sh            build when missing; print the installed prefix on the last line
#   windows-qt.sh --prefix   print where the prefix is (or would be), build nothing
#   windows-qt.sh --sources  print the archives found in the system's apt sources, fetch nothing
#   windows-qt.sh --fonts    fetch the typeface built into the program, once; print its folder
#
# The source is fetched with apt through lists of its own under the cache: the system's apt
# configuration is not touched, only read, and the archive is the one the system already uses.
# Debian's security patches (cve-*) are applied.
set -euo pipefail

# The system's apt configuration folder and release; the tests point them elsewhere.
apt_etc=${SPIREX_APT_ETC:-/etc/apt}
codename=${SPIREX_APT_CODENAME:-$(. /etc/os-release && echo "${VERSION_CODENAME:-}")}

# Prints "main URI" and "security URI": the first archive that serves this release, and the first
# that serves its security updates, read from the deb822 .sources files and the one-line .list
# files (sources.list among them). Disabled stanzas, comments and other releases are passed over.
apt_archives() {
    local files=() file
    for file in "$apt_etc/sources.list" "$apt_etc"/sources.list.d/*.list \
        "$apt_etc"/sources.list.d/*.sources; do
        [[ -f $file ]] && files+=("$file")
    done
    ((${#files[@]})) || return 0
    awk -v release="$codename" '
        function offer(types, uris, suites,    T, U, S, nt, nu, ns, i, j, k) {
            nt = split(types, T, " "); nu = split(uris, U, " "); ns = split(suites, S, " ")
            for (i = 1; i <= nt; i++) {
                if (T[i] != "deb" && T[i] != "deb-src") continue
                for (j = 1; j <= nu; j++) for (k = 1; k <= ns; k++) {
                    sub(/\/+$/, "", U[j])
                    if (S[k] == release && main == "") main = U[j]
                    if (S[k] == release "-security" && security == "") security = U[j]
                }
            }
        }
        function stanza_end() {
            if (tolower(enabled) != "no") offer(types, uris, suites)
            types = uris = suites = enabled = ""
        }
        FNR == 1 { if (deb822) stanza_end(); deb822 = FILENAME ~ /\.sources$/ }
        deb822 {
            if ($0 ~ /^[ \t]*#/) next
            if ($0 ~ /^[ \t]*$/) { stanza_end(); next }
            if ($0 ~ /^[ \t]/) next   # a continued field, such as an inline key
            field = tolower($1); value = $0; sub(/^[^:]*:[ \t]*/, "", value)
            if (field == "types:") types = value
            else if (field == "uris:") uris = value
            else if (field == "suites:") suites = value
            else if (field == "enabled:") enabled = value
            next
        }
        {
            line = $0; sub(/#.*/, "", line)
            gsub(/\[[^]]*\]/, " ", line)   # options such as [signed-by=... arch=...]
            if (split(line, w, " ") >= 3) offer(w[1], w[2], w[3])
        }
        END {
            if (deb822) stanza_end()
            if (main != "") { print "main " main; if (security != "") print "security " security }
        }' "${files[@]}"
}

if [[ ${1:-} == --sources ]]; then
    apt_archives
    exit 0
fi

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

# apt with lists of its own under the cache, for the archive that the system already uses: sets
# apt_options for apt-get and brings the lists up to date.
private_apt() {
    local apt_dir=$cache/apt archives archive security
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache"
    archives=$(apt_archives)
    archive=$(awk '$1 == "main" { print $2 }' <<<"$archives")
    security=$(awk '$1 == "security" { print $2 }' <<<"$archives")
    if [[ -z $codename || -z $archive ]]; then
        echo "windows-qt: no archive for Debian '${codename:-(no release name in /etc/os-release)}'" \
            "in the apt sources read: $apt_etc/sources.list, $apt_etc/sources.list.d/*.list and" \
            "$apt_etc/sources.list.d/*.sources" >&2
        echo "windows-qt: add the archive this system installs from (a deb822 stanza, or a line" \
            "'deb URI ${codename:-RELEASE} main') and run again" >&2
        exit 1
    fi
    {
        printf 'Types: deb deb-src\nURIs: %s\nSuites: %s %s-updates\nComponents: main\n' \
            "$archive" "$codename" "$codename"
        printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
        if [[ -n $security ]]; then
            printf '\nTypes: deb deb-src\nURIs: %s\nSuites: %s-security\nComponents: main\n' \
                "$security" "$codename"
            printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
        fi
    } >"$apt_dir/source.sources"
    apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt_dir"
        -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
        -o APT::Sandbox::User=root)
    apt-get "${apt_options[@]}" -qq update
}

# The typeface built into the Windows program: Liberation Sans 2 (SIL Open Font License), from
# Debian's package, unpacked once into the cache. Prints its folder, which also holds the licence.
fonts() {
    local dir=$cache/fonts
    if [[ ! -f $dir/LiberationSans-Regular.ttf ]]; then
        private_apt
        local work package
        work=$(mktemp -d)
        # Debian 12 has Liberation 2 as fonts-liberation2; later releases as fonts-liberation.
        for package in fonts-liberation2 fonts-liberation; do
            (cd "$work" && apt-get "${apt_options[@]}" -qq download "$package" 2>/dev/null) && break
        done
        dpkg-deb -x "$work"/*.deb "$work/root"
        local regular bold copyright
        regular=$(find "$work/root" -name LiberationSans-Regular.ttf | head -1)
        bold=$(find "$work/root" -name LiberationSans-Bold.ttf | head -1)
        copyright=$(find "$work/root" -path '*/doc/*/copyright' | head -1)
        if [[ -z $regular || -z $bold ]] || ! grep -q 'OFL' "$copyright"; then
            echo "windows-qt: Debian's $package holds no Liberation Sans 2 under the Open Font License" >&2
            exit 1
        fi
        mkdir -p "$dir"
        cp "$regular" "$bold" "$dir/"
        cp "$copyright" "$dir/LICENSE-LiberationSans.txt"
        rm -rf "$work"
    fi
    echo "$dir"
}

if [[ ${1:-} == --fonts ]]; then
    fonts
    exit 0
fi

# The build's settings; a change to them builds afresh into a new stamp.
options=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    # Modules Spirex does not use.
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no
    -DFEATURE_vulkan=OFF
    # Text is drawn by Qt's bundled FreeType, as on Linux, from the typeface built into Spirex:
    # the same pixels under every Windows and under Wine.
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
    # Libraries that Spirex's texts and images do not need.
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_fontconfig=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
    # Debian's tarball leaves out the Wintab headers that tablet input is built on.
    -DFEATURE_tabletevent=OFF
    # Qt's bundled copies, built for Windows; nothing from the host.
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_pkg_config=OFF
)
# Reproducible: no build folder named in the objects, and a configured prefix of the same name
# everywhere (Qt Core keeps it as text; the installed Qt is relocatable and lives in the cache).
# The toolchain file keeps link time stamps out.
configured_prefix=/opt/qt6-base-win64
options+=("-DCMAKE_C_FLAGS_INIT=-ffile-prefix-map=$cache=/cache"
    "-DCMAKE_CXX_FLAGS_INIT=-ffile-prefix-map=$cache=/cache")
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
dsc=$cache/src/qt6-base_${version#*:}.dsc
if [[ ! -f $dsc ]]; then
    echo "windows-qt: fetching Debian's source of qt6-base $version (46 MB)"
    private_apt
    mkdir -p "$cache/src"
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
        -DCMAKE_INSTALL_PREFIX="$configured_prefix" "${options[@]}" >"$cache/qt-configure.log" 2>&1 || {
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
cmake --install "$build" --prefix "$prefix" >/dev/null
echo "$stamp_text" >"$prefix/spirex-stamp"
rm -rf "$build" "$source"

elapsed=$(($(date +%s) - started))
echo "windows-qt: Qt $upstream for Windows built in $((elapsed / 60)) min $((elapsed % 60)) s," \
    "$(du -sh "$prefix" | cut -f1) in $prefix"
echo "$prefix"
