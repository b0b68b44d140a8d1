#!/usr/bin/env bash
# Draws the program's icon, a paper pinwheel (kazaguruma) on a stick, into
# src/app/kazaguruma.ico with 48, 32 and 16 pixel images.
# The wheel is drawn once at 192 pixels from primitives with ImageMagick 6 and
# scaled down for each size, so re-running produces identical bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

OUT=src/app/kazaguruma.ico
S=192            # drawing size
CX=96 CY=80      # centre of the wheel
R=74             # half the side of the square the blades fill

# The four blades are right triangles swept around the centre; each is drawn
# as a light front half and a darker folded half.
# Light and dark colour of each blade, clockwise from the top.
COLOURS=("#e8402f #a8201a" "#2f7fe0 #15479c" "#f7cf2a #c99a0a" "#3aa54a #1d6a2b")

A=(-stroke "#3a2a1a" -strokewidth 3 -fill "#9a6b43"
   -draw "roundrectangle $((CX - 7)),$CY $((CX + 7)),$((S - 3)) 5,5")

# Point (u, v) of the blade frame turned by k quarter turns, as "x,y".
pt() {
  local u=$1 v=$2 k=$3 x y
  case $k in
    0) x=$u;         y=$v ;;
    1) x=$((-v));    y=$u ;;
    2) x=$((-u));    y=$((-v)) ;;
    3) x=$v;         y=$((-u)) ;;
  esac
  echo "$((CX + x)),$((CY + y))"
}

for k in 0 1 2 3; do
  read -r light dark <<<"${COLOURS[$k]}"
  # Blade pointing up, curling right: centre, tip (0,-R), outer corner (R,-R).
  A+=(-stroke none -fill "$light"
      -draw "polygon $(pt 0 0 $k) $(pt 0 -$R $k) $(pt $((R / 2)) -$R $k)")
  A+=(-fill "$dark"
      -draw "polygon $(pt 0 0 $k) $(pt $((R / 2)) -$R $k) $(pt $R -$R $k)")
  A+=(-stroke "#202020" -strokewidth 4 -fill none
      -draw "polygon $(pt 0 0 $k) $(pt 0 -$R $k) $(pt $R -$R $k)")
done

# The pin through the middle.
A+=(-stroke "#202020" -strokewidth 3 -fill "#f4f4f4"
    -draw "circle $CX,$CY $((CX + 9)),$CY")

convert -size ${S}x${S} xc:none "${A[@]}" \
  -define icon:auto-resize=48,32,16 "$OUT"
echo "wrote $OUT"
