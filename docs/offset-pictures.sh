#!/usr/bin/env bash
# Draws the pictures of docs/geometry.md's offsets with motion-host: a plate of 60 x 40 mm with a
# slot 4 mm wide, a round hole and a square one, each contour offset 3 mm outside and inside, the
# outline's offset with its marks, the holes' beside it and the part in grey beneath.
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
(a round hole of radius 6 mm)
G0 X21 Y20
G2 X21 Y20 I-6 J0
(a square hole of 10 mm)
G0 X40 Y8
G1 Y18
X50
Y8
X40
M30
GCODE

# "FILE: starts at X 1.0000 Y 2.0000" lines as FILE@1.0000,2.0000 words.
placed() { sed -nE 's/^(.*): starts at X ([-0-9.]+) Y ([-0-9.]+)$/\1@\2,\3/p'; }

sources=$("$host" import-gcode "$work/plate.nc" --split -o "$work/part.motion" 2>/dev/null | placed)
for side in outside inside; do
  offsets=($("$host" import-gcode "$work/plate.nc" --split "--$side" 3 -o "$work/$side.motion" 2>/dev/null | placed))
  arguments=("${offsets[0]%@*}" --origin "${offsets[0]##*@}")
  for offset in "${offsets[@]:1}"; do arguments+=(--also "$offset"); done
  for source in $sources; do arguments+=(--with-source "$source"); done
  "$host" plot "${arguments[@]}" -o "$out/offset-$side.svg"
done
