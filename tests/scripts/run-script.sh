#!/usr/bin/env bash
# Plays one editor script with motion-host on a copy of its motion and checks what its header
# lines ask for:
#   #! motion FILE     the motion to edit, beside the script (default: three-rows.motion here);
#                      "new" edits a file that does not exist yet
#   #! setup FILE      the setup file, beside the script (default: the built-in demo)
#   #! exit N          the exit status (default 0)
#   #! changes yes|no  whether the motion file must change (default no)
#   #! output TEXT     a text the transcript must hold (may repeat)
#   #! error TEXT      a text standard error must hold (may repeat)
set -u
host=$1
script=$2
here=$(cd "$(dirname "$0")" && pwd)
directive() { sed -n "s/^#! $1 //p" "$script"; }

motion=$(directive motion)
case "$motion" in
  "") motion=$here/three-rows.motion ;;
  new) motion=/dev/null ;;
  *) motion=$(dirname "$script")/$motion ;;
esac
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ "$motion" = /dev/null ] || cp "$motion" "$work/edited.motion"

setup=$(directive setup)
(cd "$(dirname "$script")" && "$host" edit ${setup:+--setup "$setup"} --script "$script" "$work/edited.motion") \
  >"$work/out" 2>"$work/err"
status=$?
cat "$work/out" "$work/err"

fail() { echo "FAILED: $*"; exit 1; }
expected=$(directive exit)
[ "$status" -eq "${expected:-0}" ] || fail "exit status $status, expected ${expected:-0}"
if [ "$(directive changes)" = yes ]; then
  [ -f "$work/edited.motion" ] && ! cmp -s "$motion" "$work/edited.motion" || fail "the motion file did not change"
elif [ "$motion" = /dev/null ]; then
  [ ! -e "$work/edited.motion" ] || fail "a motion file was written"
else
  cmp -s "$motion" "$work/edited.motion" || fail "the motion file changed"
fi
while IFS= read -r text; do
  [ -z "$text" ] || grep -qF -- "$text" "$work/out" || fail "the transcript lacks: $text"
done < <(directive output)
while IFS= read -r text; do
  [ -z "$text" ] || grep -qF -- "$text" "$work/err" || fail "standard error lacks: $text"
done < <(directive error)
