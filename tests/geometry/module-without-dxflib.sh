#!/usr/bin/env bash
# dxflib is under the GPL version 2: the module must not carry it, neither linked as a shared
# library nor any of its code. The same look at a program that does link it shows that the
# check can see it.
#   module-without-dxflib.sh MODULE PROGRAM_THAT_LINKS_DXFLIB
set -euo pipefail
module=$1
linked=$2

carries_dxflib() {
  readelf --dynamic "$1" | grep -q 'libdxflib' || nm --demangle "$1" 2>/dev/null | grep -q 'DL_Dxf::'
}

if ! carries_dxflib "$linked"; then
  echo "$linked shows no dxflib, so this check could not see it in the module either" >&2
  exit 1
fi
if carries_dxflib "$module"; then
  echo "$module carries dxflib" >&2
  exit 1
fi
echo "$module carries no dxflib"
