#!/usr/bin/env bash
# The widget tests and the package check once more, run by a user whose desktop is set up against
# them: more fonts that answer for Arial and Liberation Sans, a font set-up of the user's own
# (sub-pixel rendering, full hinting, Arial taken by another face), Qt through GTK's dark theme in
# the Windows style at 150 %, and German regional settings. The tests must see none of it.
#   hostile-environment.sh CTEST BUILD_DIR
set -euo pipefail
ctest=$1
build=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

mkdir -p "$home/.config/fontconfig"
cat >"$home/.config/fontconfig/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <match target="font">
    <edit name="rgba" mode="assign"><const>rgb</const></edit>
    <edit name="hintstyle" mode="assign"><const>hintfull</const></edit>
  </match>
  <match target="pattern">
    <test name="family"><string>Arial</string></test>
    <edit name="family" mode="assign" binding="strong"><string>DejaVu Sans</string></edit>
  </match>
</fontconfig>
CONF
export HOME=$home QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark QT_STYLE_OVERRIDE=Windows \
    QT_SCALE_FACTOR=1.5 LANG=de_DE.UTF-8

# The set-up is in force for any program that does not keep its own: it is really hostile.
wrong=""
[[ $(fc-match -f '%{family[0]}' Arial) == "DejaVu Sans" ]] || wrong+=" Arial is not taken by DejaVu Sans;"
[[ $(fc-match -f '%{rgba}' Arial) == 1 ]] || wrong+=" no sub-pixel rendering;"
# Liberation Sans 2 (version 2.0 is 131072 in fontconfig's fixed point) beside Debian 12's 1.
fc-list -f '%{fontversion}\n' 'Liberation Sans' | awk '$1 >= 131072 { two = 1 } END { exit !two }' ||
    wrong+=" no Liberation Sans 2 (fonts-liberation2);"
fc-list -f '%{family}\n' | grep -qx Arimo || wrong+=" fonts-croscore missing;"
locale -a | grep -qix 'de_DE\.utf-\?8' || wrong+=" no de_DE.UTF-8 locale;"
if [[ -n $wrong ]]; then
    echo "the hostile environment is not set up:$wrong"
    exit 1
fi
echo "hostile environment: $(env | grep -E '^(QT_|GTK_THEME|LANG=)' | sort | tr '\n' ' ')"
echo "and a user font set-up: sub-pixel, full hinting, Arial as DejaVu Sans"
"$ctest" --test-dir "$build" --output-on-failure -R '^(gui_windows_|debian_package$)'
