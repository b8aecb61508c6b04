#!/usr/bin/env bash
# Packs the Windows program: the executable, the Qt plugins it loads (the windows platform and the
# Windows style), and every DLL that these import from Qt or from the mingw-w64 runtime, found
# recursively; Windows' own DLLs stay out. Everything is stripped, then zipped.
#   windows-package.sh EXE QT_PREFIX FOLDER    makes FOLDER and FOLDER.zip
set -euo pipefail
exe=$1
qt=$2
folder=$3
target=x86_64-w64-mingw32

# Where the imported DLLs may come from: Qt, then the compiler's and the threads' runtime.
search=("$qt/bin"
    "$(dirname "$("$target-g++-posix" -print-file-name=libstdc++-6.dll)")"
    "$(dirname "$("$target-g++-posix" -print-file-name=libwinpthread-1.dll)")")

rm -rf "$folder" "$folder.zip"
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
(cd "$(dirname "$folder")" && cmake -E tar cf "$(basename "$folder").zip" --format=zip \
    "$(basename "$folder")")
echo "windows-package: $folder.zip, $(du -k "$folder.zip" | cut -f1) KiB:"
(cd "$folder" && find . -type f | sed 's|^\./||' | sort | while read -r file; do
    printf '  %-32s %6d KiB\n' "$file" "$(du -k "$file" | cut -f1)"
done)
