#!/usr/bin/env bash
# Each room includes only itself and the rooms below it, and a room's internal/ headers only from
# within the room (by their bare names, through the room's private include directory, or by their
# paths): rooms-point-down.sh PROJECT_DIR
set -euo pipefail
cd "$1"

# room: the rooms it may include, itself first
declare -A below=(
  [common]="common"
  [framework]="framework common"
  [host]="host framework common"
  [motion]="motion host framework common"
  [codegen]="codegen motion host framework common"
  [geometry/core]="geometry/core common"
  [geometry/gcode]="geometry/gcode geometry/core common"
  [geometry/arcfit]="geometry/arcfit geometry/core common"
  [geometry/drawing]="geometry/drawing geometry/arcfit geometry/core common"
  [geometry/offset]="geometry/offset geometry/core common"
  [motionpath]="motionpath motion host framework geometry/arcfit geometry/core common"
  [editor]="editor motionpath motion host framework geometry/arcfit geometry/core common"
  [pictures]="pictures motionpath motion host framework geometry/core common"
  [plugin]="plugin editor codegen motionpath motion host framework geometry/arcfit geometry/core common"
)

faults=0
for room in "${!below[@]}"; do
  while IFS=: read -r file line included; do
    allowed=no
    [[ $included != */* && -f $room/internal/$included ]] && allowed=yes
    for root in ${below[$room]}; do
      [[ $included == "$root"/* ]] && allowed=yes && break
    done
    if [ $allowed = no ]; then
      echo "$file:$line: the room $room includes $included, which is not below it"
      faults=$((faults + 1))
    fi
  done < <(grep -rnoE '^#include "[^"]+"' "$room" --include='*.h' --include='*.cpp' | sed -E 's/:#include "([^"]+)"$/:\1/')
done

while IFS=: read -r file line included; do
  owner=${included%%/internal/*}
  if [[ $file != "$owner"/* ]]; then
    echo "$file:$line: includes $included, which is internal to $owner"
    faults=$((faults + 1))
  fi
done < <(git ls-files '*.h' '*.cpp' | xargs grep -noE '^#include "[^"]+/internal/[^"]+"' | sed -E 's/:#include "([^"]+)"$/:\1/')

[ $faults -eq 0 ] && echo "every room includes only the rooms below it"
exit $((faults > 0))
