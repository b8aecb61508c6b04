#!/usr/bin/env bash
# Proves the release reproducible: builds its files twice from the same sources, in two folders of
# different names, one after the other, and compares them byte for byte. The Debian package
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
cp -r "$work/first/src" "$work/second-folder-of-another-name"
bash "$root/scripts/release.sh" --build "$work/second-folder-of-another-name" "$work/second" "$what"

status=0
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
