#!/usr/bin/env bash
# Renders the nine pictures of the program icon into one PNG sheet for review:
# one row per size (48, 32, 16), one column per depth (32, 8, 4 bits per
# pixel), each picture enlarged 8x without smoothing, on a light and on a dark
# background (the tray and title bars may be either), plus a strip at actual
# size.  Nothing it writes is committed.
#
# usage: scripts/icon-preview.sh [ICON] [OUTPUT.png]
#   ICON defaults to a fresh icon drawn by resources/icon/make_icon.py;
#   OUTPUT defaults to build/icon-preview.png.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${VAELTO_BUILD:-$ROOT/build}
command -v montage >/dev/null || { echo "icon-preview: ImageMagick (montage) is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

icon=${1:-}
if [ -z "$icon" ]; then
  icon=$work/vaelto.ico
  python3 "$ROOT/resources/icon/make_icon.py" "$icon"
fi
out=${2:-$BUILD/icon-preview.png}
mkdir -p "$(dirname "$out")"

# "<width>x<height> <bits>bpp" of every picture, from the icon's directory.
mapfile -t labels < <(python3 - "$icon" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
for i in range(struct.unpack_from("<H", data, 4)[0]):
    w, h, _, _, _, bits, _, _ = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
    print(f"{w or 256}x{h or 256} {bits}bpp")
PY
)
count=${#labels[@]}
font=()
if convert -list font | grep -q 'Font: DejaVu-Sans$'; then font=(-font DejaVu-Sans); fi
tiles=()
for bg in '#e8e8e8' '#2b2b2b'; do
  for ((i = 0; i < count; i++)); do
    convert "$icon[$i]" -background "$bg" -flatten -filter point -resize 800% \
      -gravity south -background white -splice 0x16 "${font[@]}" -pointsize 12 \
      -annotate +0+1 "#$i ${labels[$i]}" "$work/tile-$bg-$i.png"
    tiles+=("$work/tile-$bg-$i.png")
  done
done
montage "${tiles[@]}" -tile 3x -geometry +6+6 -background '#8090a0' "$work/big.png"
# The pictures at their real size, side by side, on both backgrounds.
actual=()
for bg in '#e8e8e8' '#2b2b2b'; do
  for ((i = 0; i < count; i++)); do
    convert "$icon[$i]" -background "$bg" -flatten -gravity center -extent 52x52 "$work/actual-$bg-$i.png"
    actual+=("$work/actual-$bg-$i.png")
  done
done
montage "${actual[@]}" -tile "${count}x" -geometry +0+0 "$work/actual.png"
convert "$work/big.png" "$work/actual.png" -background '#8090a0' -gravity center -append "$out"
echo "icon-preview: wrote $out"
