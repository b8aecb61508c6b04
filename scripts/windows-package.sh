#!/usr/bin/env bash
# Packs the Windows program: the executable, the Qt plugins it loads (the windows platform and the
# Windows style), and every DLL that these import from Qt or from the mingw-w64 runtime, found
# recursively; Windows' own DLLs stay out. Everything is stripped. Beside them go the program's
# licence, the licence of its built-in typeface and BUILD.txt, which says what it was built from.
# The folder is then zipped, and an installer made of it with NSIS.
#   windows-package.sh EXE QT_PREFIX FOLDER VERSION FONT_DIR
#     makes FOLDER, FOLDER.zip and FOLDER-setup.exe
#   windows-package.sh --installer FOLDER VERSION SETUP
#     makes only the installer SETUP of the files in FOLDER (the test makes an older version)
# Reproducible: files in a fixed order, with fixed times (SOURCE_DATE_EPOCH, or the commit's
# time) and permissions, and no owners.
set -euo pipefail
project=$(cd "$(dirname "$0")/.." && pwd)
target=x86_64-w64-mingw32

# make_installer FOLDER VERSION SETUP: one File line per file in a fixed order, and the
# uninstaller's Delete and RMDir lines for the same files and folders.
make_installer() {
    local folder=$1 version=$2 setup=$3 work file win size
    work=$(mktemp -d)
    (cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) >"$work/list"
    while read -r file; do
        win=${file//\//\\}
        case $file in
        */*) printf 'SetOutPath "$INSTDIR\\%s"\n' "${win%\\*}" ;;
        *) printf 'SetOutPath "$INSTDIR"\n' ;;
        esac
        printf 'File "%s"\n' "$folder/$file"
    done <"$work/list" >"$work/files.nsh"
    {
        sed 's|/|\\|g; s|^|Delete "$INSTDIR\\|; s|$|"|' "$work/list"
        (cd "$folder" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r) |
            sed 's|/|\\|g; s|^|RMDir "$INSTDIR\\|; s|$|"|'
    } >"$work/unfiles.nsh"
    size=$(du -sk --apparent-size "$folder" | cut -f1)
    makensis -V2 -INPUTCHARSET UTF8 \
        "-DVERSION=$version" "-DPUBLISHER=Orlesti" \
        "-DICON=$project/resources/spirex.ico" "-DOUTFILE=$setup" "-DSIZE_KB=$size" \
        "-DFILES=$work/files.nsh" "-DUNFILES=$work/unfiles.nsh" \
        "$project/resources/windows/spirex.nsi"
    rm -rf "$work"
}

if [[ $1 == --installer ]]; then
    make_installer "$2" "$3" "$4"
    exit 0
fi

exe=$1
qt=$2
folder=$3
version=$4
fonts=$5

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git -C "$project" log -1 --format=%ct 2>/dev/null || echo 0)
fi
export SOURCE_DATE_EPOCH
commit=${SPIREX_COMMIT:-$(git -C "$project" rev-parse HEAD 2>/dev/null || echo unknown)}
if [[ -z ${SPIREX_COMMIT:-} && $commit != unknown &&
    -n $(git -C "$project" status --porcelain --untracked-files=no) ]]; then
    commit="$commit, with changes not yet committed"
fi

# Where the imported DLLs may come from: Qt, then the compiler's and the threads' runtime.
search=("$qt/bin"
    "$(dirname "$("$target-g++-posix" -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$("$target-g++-posix" -print-file-name=libwinpthread-1.dll)")")

rm -rf "$folder" "$folder.zip" "$folder-setup.exe"
mkdir -p "$folder/platforms" "$folder/styles"
cp "$exe" "$folder/"
cp "$qt/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"

# Follows the imports of every file in the folder until nothing new turns up.
pending=("$folder"/*.exe "$folder"/platforms/*.dll "$folder"/styles/*.dll)
while ((${#pending[@]})); do
    file=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $("$target-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        [[ -e $folder/$dll ]] && continue
        for dir in "${search[@]}"; do
            if [[ -f $dir/$dll ]]; then
                cp "$dir/$dll" "$folder/"
                pending+=("$folder/$dll")
                break
            fi
        done
    done
done

find "$folder" -name '*.exe' -exec "$target-strip" --strip-all {} +
find "$folder" -name '*.dll' -exec "$target-strip" --strip-unneeded {} +

# The licences, and what the program was built from, in Windows' line endings.
crlf() { sed 's/$/\r/' "$@"; }
crlf "$project/LICENSE" >"$folder/LICENSE.txt"
crlf "$fonts/LICENSE-LiberationSans.txt" >"$folder/LICENSE-LiberationSans.txt"
{
    echo "Spirex $version for 64-bit Windows"
    echo
    echo "Built from the Spirex sources at commit $commit,"
    echo "dated $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC')."
    echo "Qt $(basename "$qt" | sed 's/^qt6-base-//; s/-win64$//') (Debian's qt6-base source), cross-built with"
    echo "mingw-w64's GCC $(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix 2>/dev/null ||
        echo '?') on $(. /etc/os-release && echo "$PRETTY_NAME")."
    echo "The typeface built into spirex.exe, Spirex Sans, is Liberation Sans 2 renamed"
    echo "(LICENSE-LiberationSans.txt)."
} | crlf >"$folder/BUILD.txt"

find "$folder" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

# The zip: sorted, with the fixed time, no owners.
/usr/bin/python3 - "$folder" <<'EOF'
import os, sys, time, zipfile
folder = sys.argv[1]
base = os.path.dirname(folder)
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
paths = sorted(os.path.relpath(os.path.join(d, f), base)
               for d, _, files in os.walk(folder) for f in files)
with zipfile.ZipFile(folder + ".zip", "w") as zip:
    for path in paths:
        info = zipfile.ZipInfo(path.replace(os.sep, "/"), stamp)
        info.external_attr = 0o100644 << 16  # a regular file, rw-r--r--
        info.compress_type = zipfile.ZIP_DEFLATED
        info.create_system = 3
        with open(os.path.join(base, path), "rb") as f:
            zip.writestr(info, f.read(), compresslevel=9)
EOF

make_installer "$folder" "$version" "$folder-setup.exe"
touch -d "@$SOURCE_DATE_EPOCH" "$folder.zip" "$folder-setup.exe"

echo "windows-package: $folder.zip, $(du -k "$folder.zip" | cut -f1) KiB;" \
    "$folder-setup.exe, $(du -k "$folder-setup.exe" | cut -f1) KiB:"
(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | while read -r file; do
    printf '  %-32s %6d KiB\n' "$file" "$(du -k "$file" | cut -f1)"
done)
