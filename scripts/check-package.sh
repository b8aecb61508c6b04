#!/usr/bin/env bash
# Builds the Debian package from BUILD_DIR under the strictest umask, 0077, and checks that its
# modes are the build's all the same: folders 0755, files 0644, the program 0755, and the
# package's own members 0644. Has lintian check it (any error or warning fails), unpacks it into
# a folder of its own, checks what it holds, and starts Spirex from the unpacked files, headless:
# it must still be running after two seconds. Usage: check-package.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(umask 0077 && cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb"), built under umask 0077"
dpkg-deb --field "$deb" Package Version Depends Recommends

# Each entry's mode and path: the package's members, then its control files and its files.
{
    ar tv "$deb" | awk '{ print "-" $1, $NF }'
    dpkg-deb --ctrl-tarfile "$deb" | tar -tv | awk '{ print $1, $NF }'
    dpkg-deb --fsys-tarfile "$deb" | tar -tv | awk '{ print $1, $NF }'
} >"$work/modes"
wrong=$(awk '$2 ~ /\/$/ { if ($1 != "drwxr-xr-x") print; next }
             $2 == "./usr/bin/spirex" { if ($1 != "-rwxr-xr-x") print; next }
             $1 != "-rw-r--r--" { print }' "$work/modes")
if [[ -n $wrong ]]; then
    echo "modes not the build's (folders 0755, files 0644, the program 0755):"
    echo "$wrong" | sed 's/^/  /'
    exit 1
fi
echo "modes: $(grep -c '/$' "$work/modes") folders 0755, the program 0755," \
    "$(($(wc -l <"$work/modes") - $(grep -c '/$' "$work/modes") - 1)) files and members 0644"

lintian --fail-on error,warning --tag-display-limit 0 "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || { echo "lintian: errors or warnings"; exit 1; }
echo "lintian: no error, no warning"

dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/spirex usr/share/applications/org.example.Spirex.desktop \
    usr/share/metainfo/org.example.Spirex.metainfo.xml \
    usr/share/icons/hicolor/64x64/apps/org.example.Spirex.png usr/share/man/man1/spirex.1.gz \
    usr/share/doc/spirex/copyright usr/share/doc/spirex/changelog.gz; do
    [[ -f $work/root/$file ]] || { echo "missing from the package: /$file"; exit 1; }
    echo "holds /$file"
done
desktop-file-validate "$work/root/usr/share/applications/org.example.Spirex.desktop"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/org.example.Spirex.metainfo.xml"

status=0
XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=offscreen timeout 2 "$work/root/usr/bin/spirex" || status=$?
if [[ $status -ne 124 ]]; then
    echo "the packaged spirex did not keep running (exit status $status)"
    exit 1
fi
echo "the packaged spirex started and was running after 2 seconds"
