#!/usr/bin/env bash
# Proves the release reproducible: builds its files twice from the same sources and compares them
# byte for byte. The second copy is built as another builder might build it: in a folder of
# another name, later, under the strictest umask (0077), in a time zone far from UTC, under
# Italian regional settings (C.UTF-8 where they are missing) and on one CPU. The Debian package
# always; the Windows zip and installer where Qt for Windows is cached. On a difference it names
# the file and shows diffoscope's report of it.
#   check-reproducible.sh        the sources as tracked in this work tree
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

export SPIREX_COMMIT SOURCE_DATE_EPOCH
SPIREX_COMMIT=$(git -C "$root" rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
what=linux
if [[ -f $(bash "$root/scripts/windows-qt.sh" --prefix)/spirex-stamp ]]; then
    what=all
fi

mkdir -p "$work/first/src"
(cd "$root" && git ls-files -z | xargs -0 cp --parents -t "$work/first/src")
bash "$root/scripts/release.sh" --build "$work/first/src" "$work/first/out" "$what"
sleep 2 # a later time, which must change nothing
locale=it_IT.UTF-8
locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8' || locale=C.UTF-8
echo "reproducible: the second copy built in another folder, with umask 0077," \
    "TZ=Pacific/Kiritimati, LC_ALL=$locale and 1 CPU"
(
    umask 0077
    cp -r "$work/first/src" "$work/second-folder-of-another-name"
    TZ=Pacific/Kiritimati LC_ALL=$locale taskset -c 0 bash "$root/scripts/release.sh" \
        --build "$work/second-folder-of-another-name" "$work/second" "$what"
)

# The package that the second copy made under umask 0077 is right, not only the same.
status=0
echo "reproducible: the package of the second copy:"
bash "$root/scripts/check-package.sh" --modes "$work"/second/*.deb | sed 's/^/  /' || status=1
for file in "$work"/first/out/*; do
    name=$(basename "$file")
    if cmp -s "$file" "$work/second/$name"; then
        echo "reproducible: $name, $(stat -c %s "$file") bytes, the same twice"
    else
        echo "NOT reproducible: $name differs between two builds"
        if command -v diffoscope >/dev/null; then
            diffoscope --text - "$file" "$work/second/$name" | head -150 || true
        fi
        status=1
    fi
done
exit $status
