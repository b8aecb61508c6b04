#!/usr/bin/env bash
# Builds the Debian package from BUILD_DIR under the strictest umask, 0077, and checks that its
# modes are the build's all the same: folders 0755, files 0644, the program 0755, and the
# package's own members 0644. Has lintian check it (any error or warning fails), unpacks it into
# a folder of its own, checks what it holds, and starts Spirex from the unpacked files, headless:
# it must still be running after two seconds.
#   check-package.sh BUILD_DIR
#   check-package.sh --modes DEB   only the modes and lintian, of a package built already
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# modes_and_lintian DEB
modes_and_lintian() {
    # Each entry's mode and path: the package's members, then its control files and its files.
    {
        ar tv "$1" | awk '{ print "-" $1, $NF }'
        dpkg-deb --ctrl-tarfile "$1" | tar -tv | awk '{ print $1, $NF }'
        dpkg-deb --fsys-tarfile "$1" | tar -tv | awk '{ print $1, $NF }'
    } >"$work/modes"
    local wrong folders
    wrong=$(awk '$2 ~ /\/$/ { if ($1 != "drwxr-xr-x") print; next }
                 $2 == "./usr/bin/spirex" { if ($1 != "-rwxr-xr-x") print; next }
                 $1 != "-rw-r--r--" { print }' "$work/modes")
    if [[ -n $wrong ]]; then
        echo "modes not the build's (folders 0755, files 0644, the program 0755):"
        echo "$wrong" | sed 's/^/  /'
        exit 1
    fi
    folders=$(grep -c '/$' "$work/modes")
    echo "modes: $folders folders 0755, the program 0755," \
        "$(($(wc -l <"$work/modes") - folders - 1)) files and members 0644"
    lintian --fail-on error,warning --tag-display-limit 0 "$1" 2>&1 | grep -v 'root privileges' || true
    lintian --fail-on error,warning "$1" >/dev/null 2>&1 || { echo "lintian: errors or warnings"; exit 1; }
    echo "lintian: no error, no warning"
}

if [[ $1 == --modes ]]; then
    modes_and_lintian "$2"
    exit 0
fi

build=$(realpath "$1")
(umask 0077 && cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb"), built under umask 0077"
dpkg-deb --field "$deb" Package Version Depends Recommends
modes_and_lintian "$deb"

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
# Started in an environment of its own: none of the user's Qt or GTK settings, which may name a
# theme that needs a display.
env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=offscreen \
    timeout 2 "$work/root/usr/bin/spirex" || status=$?
if [[ $status -ne 124 ]]; then
    echo "the packaged spirex did not keep running (exit status $status)"
    exit 1
fi
echo "the packaged spirex started and was running after 2 seconds"
