#!/usr/bin/env bash
# Draws the pictures of docs/geometry.md's offsets with motion-host: a plate of 60 x 40 mm with a
# slot 4 mm wide, offset 3 mm outside and inside, each beside its source.
#   docs/offset-pictures.sh MOTION_HOST OUT_DIR
# A test runs it and compares what it draws with docs/offset-outside.svg and docs/offset-inside.svg.
set -euo pipefail
host=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/plate.nc" <<'GCODE'
(a plate of 60 x 40 mm, its corners rounded by 5 mm, a slot 4 mm wide and 15 mm deep in its top)
G21 G90 G17
G0 X5 Y0
G1 X55 F600
G3 X60 Y5 R5
G1 Y35
G3 X55 Y40 R5
G1 X32
Y25
X28
Y40
X5
G3 X0 Y35 R5
G1 Y5
G3 X5 Y0 R5
M30
GCODE

"$host" import-gcode "$work/plate.nc" -o "$work/plate.motion" 2>/dev/null
for side in outside inside; do
  told=$("$host" offset "$work/plate.motion" "--$side" 3 -o "$work/$side.motion" 2>&1)
  origin=$(sed -nE 's/.*--origin ([-0-9.]+,[-0-9.]+).*/\1/p' <<<"$told")
  "$host" plot "$work/$side.motion" --with-source "$work/plate.motion" --origin "$origin" -o "$out/offset-$side.svg"
done
