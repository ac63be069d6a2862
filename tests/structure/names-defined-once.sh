#!/usr/bin/env bash
# No name with external linkage is defined twice across the project's libraries and programs,
# where a linker that takes the first definition from a static library would hide the second:
# names-defined-once.sh OBJECT_OR_LIBRARY... (an argument may list several, separated by ';', as
# CMake gives a target's objects)
set -euo pipefail
IFS=';' read -r -a listed <<< "$(IFS=';'; echo "$*")"
# A precompiled header is listed among a target's objects, but it defines no names.
files=()
for file in "${listed[@]}"; do
  [[ $file == *.gch ]] || files+=("$file")
done
twice=$(nm --defined-only -g "${files[@]}" | awk '$2 ~ /^[TDBR]$/ {print $3}' | sort | uniq -d | c++filt)
if [ -n "$twice" ]; then
  echo "defined more than once:"
  echo "$twice"
  exit 1
fi
echo "every name is defined once"
