#!/usr/bin/env bash
# Draws the program's icons and flag images with ImageMagick (package imagemagick) into
# resources/. The PNGs are committed; run this again only after changing a drawing.
set -euo pipefail
cd "$(dirname "$0")/../resources"
IM=/usr/bin/convert
mkdir -p icons/res flags

# Canvas helper: 64 x 64, transparent, antialiased strokes.
canvas() { echo -size 64x64 xc:none -strokewidth "$1"; }

# Flags, 3:2 at 64 x 42 with a thin grey edge so a white stripe stays visible.
$IM -size 64x42 xc:white \
    -fill '#1f3f99' -draw 'rectangle 0,0 21,41' \
    -fill '#d62b2b' -draw 'rectangle 43,0 63,41' \
    -fill none -stroke '#808080' -draw 'rectangle 0,0 63,41' \
    flags/french.png
$IM -size 64x42 xc:'#1f3a80' \
    -stroke white -strokewidth 9 -draw 'line 0,0 63,41' -draw 'line 0,41 63,0' \
    -stroke '#c8202f' -strokewidth 3 -draw 'line 0,0 63,41' -draw 'line 0,41 63,0' \
    -stroke none -fill white -draw 'rectangle 25,0 38,41' -draw 'rectangle 0,14 63,27' \
    -fill '#c8202f' -draw 'rectangle 28,0 35,41' -draw 'rectangle 0,17 63,24' \
    -fill none -stroke '#808080' -strokewidth 1 -draw 'rectangle 0,0 63,41' \
    flags/english.png

# Link: two plug halves joined (connected, green) or apart (disconnected, red).
$IM $(canvas 4) -fill '#2e9e3e' -stroke '#1d6b28' \
    -draw 'roundrectangle 8,22 30,42 4,4' -draw 'roundrectangle 34,22 56,42 4,4' \
    -draw 'line 30,28 34,28' -draw 'line 30,36 34,36' \
    -draw 'line 2,32 8,32' -draw 'line 56,32 62,32' \
    icons/res/connect.png
$IM $(canvas 4) -fill '#c83b30' -stroke '#8a241c' \
    -draw 'roundrectangle 2,22 22,42 4,4' -draw 'roundrectangle 42,22 62,42 4,4' \
    -draw 'line 22,28 28,28' -draw 'line 22,36 28,36' \
    -stroke '#8a241c' -strokewidth 3 -draw 'line 30,14 34,20' -draw 'line 34,44 30,50' \
    icons/res/disconnect.png

# Transfers: a tray with an arrow leaving it (upload) or entering it (download).
tray=(-fill none -stroke '#40506a' -strokewidth 5 -draw 'line 8,40 8,56' -draw 'line 8,56 56,56' -draw 'line 56,56 56,40')
$IM $(canvas 5) "${tray[@]}" -fill '#2f6fd0' -stroke none \
    -draw 'polygon 32,4 50,24 38,24 38,46 26,46 26,24 14,24' icons/upload.png
$IM $(canvas 5) "${tray[@]}" -fill '#2f6fd0' -stroke none \
    -draw 'polygon 32,48 50,28 38,28 38,4 26,4 26,28 14,28' icons/download.png

# Enumerate: three fixtures in a chain, each with its own light.
$IM $(canvas 3) -fill '#e8eef8' -stroke '#40506a' \
    -draw 'rectangle 4,8 22,24' -draw 'rectangle 40,24 58,40' -draw 'rectangle 4,40 22,56' \
    -stroke '#2f6fd0' -draw 'line 22,16 40,32' -draw 'line 40,32 22,48' \
    -stroke none -fill '#f0b400' -draw 'circle 13,16 13,20' -draw 'circle 49,32 49,36' -draw 'circle 13,48 13,52' \
    icons/enumerate.png

# Reset: an open circle with an arrow head.
$IM $(canvas 6) -fill none -stroke '#d07a10' -draw 'arc 10,10 54,54 -60,240' \
    -stroke none -fill '#d07a10' -draw 'polygon 46,4 58,18 40,20' icons/reset.png

# Add and delete.
$IM $(canvas 1) -fill '#2e9e3e' -stroke none \
    -draw 'roundrectangle 26,6 38,58 3,3' -draw 'roundrectangle 6,26 58,38 3,3' icons/add.png
$IM $(canvas 11) -stroke '#c83b30' -draw 'line 12,12 52,52' -draw 'line 52,12 12,52' icons/delete.png

# Zoom: a magnifier with a plus, a minus or a frame.
lens=(-fill '#eaf2ff' -stroke '#40506a' -strokewidth 5 -draw 'circle 26,26 26,44'
      -strokewidth 9 -draw 'line 40,40 58,58')
$IM -size 64x64 xc:none "${lens[@]}" -stroke '#2f6fd0' -strokewidth 5 \
    -draw 'line 17,26 35,26' -draw 'line 26,17 26,35' icons/zoomin.png
$IM -size 64x64 xc:none "${lens[@]}" -stroke '#2f6fd0' -strokewidth 5 \
    -draw 'line 17,26 35,26' icons/zoomout.png
$IM -size 64x64 xc:none "${lens[@]}" -fill none -stroke '#2f6fd0' -strokewidth 3 \
    -draw 'rectangle 18,19 34,33' icons/zoomall.png

# Welcome page logo: a small wall of lit tiles beside the program's name.
$IM -size 280x96 xc:none \
    -fill '#20283a' -draw 'roundrectangle 4,8 92,88 8,8' \
    -fill '#e0403a' -draw 'rectangle 14,18 34,38' -fill '#f0b400' -draw 'rectangle 38,18 58,38' \
    -fill '#2e9e3e' -draw 'rectangle 62,18 82,38' -fill '#2f6fd0' -draw 'rectangle 14,42 34,62' \
    -fill '#ffffff' -draw 'rectangle 38,42 58,62' -fill '#e0403a' -draw 'rectangle 62,42 82,62' \
    -fill '#f0b400' -draw 'rectangle 14,66 34,78' -fill '#2e9e3e' -draw 'rectangle 38,66 58,78' \
    -fill '#2f6fd0' -draw 'rectangle 62,66 82,78' \
    -fill '#20283a' -font DejaVu-Sans-Bold -pointsize 40 -annotate +104+62 'Lantrel' \
    res/WelcomeLogo.png

# No time stamps in the files, so drawing again gives the same bytes.
/usr/bin/mogrify -strip -define png:exclude-chunks=date,time flags/*.png icons/*.png icons/res/*.png res/WelcomeLogo.png
