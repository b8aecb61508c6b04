#!/usr/bin/env bash
# Renders Spirex's images from coil.pov and writes them beside this script. The results are
# committed, so building Spirex needs no renderer; run this only after changing the scene.
#
#   coil.jpg    the main window's photograph: 140 x 108, progressive JPEG, three components
#   coil.png    the same photograph as the JPEG decoder makes it, pixel for pixel: the program
#               builds this one in, because Qt Gui decodes PNG itself, with no image plugin
#   icon.png    the window icon: 64 x 64, 24-bit colour with a 1-bit transparency mask
#   spirex.ico  the same icon for Windows, 24-bit colour with a 1-bit mask
#   about.bmp   the About dialog's photograph: 90 x 134, upright, 24-bit bitmap
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/../scripts/bootstrap.sh" povray imagemagick icoutils

# Debian's ImageMagick, by path: another `convert` may come first on PATH.
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# render VIEW WIDTH HEIGHT OUTPUT [POV-Ray options]: four times the final size, antialiased, so
# that the reduction gives the soft detail of a photograph.
render() {
    local view=$1 width=$2 height=$3 output=$4
    shift 4
    povray -D +I"$here/coil.pov" +O"$output" +W$((width * 4)) +H$((height * 4)) \
        +A0.05 +AM2 +R3 +FN Declare=View="$view" "$@" >"$work/povray-$view.log" 2>&1 ||
        { cat "$work/povray-$view.log"; exit 1; }
}

render 0 140 108 "$work/coil.png"
"$convert" "$work/coil.png" -filter Lanczos -resize 140x108! -strip \
    -colorspace sRGB -type TrueColor -sampling-factor 2x2 -quality 90 -interlace JPEG \
    "$here/coil.jpg"
"$convert" "$here/coil.jpg" -strip "PNG24:$here/coil.png"

render 1 64 64 "$work/icon.png" +UA
# A 1-bit mask: a pixel is either opaque or transparent. Edge pixels are first blended onto the
# coil's own dark outline colour, so the hard mask does not leave a pale fringe.
"$convert" "$work/icon.png" -filter Lanczos -resize 64x64! \
    \( +clone -alpha extract -threshold 50% \) \
    \( -clone 0 -background '#2a1a10' -alpha remove \) \
    -delete 0 +swap -alpha off -compose CopyOpacity -composite -strip \
    -define png:color-type=6 "$here/icon.png"

# The same icon for Windows: 24-bit colour and a 1-bit mask, as a classic .ico.
icotool -c -b 24 -o "$here/spirex.ico" "$here/icon.png"

render 2 90 134 "$work/about.png"
"$convert" "$work/about.png" -filter Lanczos -resize 90x134! -strip -type TrueColor \
    "BMP3:$here/about.bmp"

"$convert" -version | head -1
identify=/usr/bin/identify
"$identify" "$here/coil.jpg" "$here/coil.png" "$here/icon.png" "$here/about.bmp"
