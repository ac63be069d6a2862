#!/usr/bin/env bash
# motion-host edit in a real window, played with xdotool on the display scripts/with-xvfb gives
# it: Escape leaves the motion file byte for byte; a segment typed with the Enter walk and then
# Enter away from the value fields (OK) rewrites it; without the window backend beside it,
# motion-host says so and leaves the file alone.
# Usage: motion-host-edit.sh MOTION_HOST EXAMPLE_MOTION
set -u
host=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

# Edits a copy of the example with the given key presses; the editor must then end by itself.
edit_with_keys() {
  cp "$example" "$work/m.motion"
  "$host" edit "$work/m.motion" &
  local editor=$! window
  window=$(timeout 10 xdotool search --sync --name "^Motion - Vector Mode$" | head -n 1)
  [ -n "$window" ] || fail "the editor window did not appear"
  # No window manager gives the window the keyboard: the pointer and focus are put on it.
  xdotool mousemove --window "$window" 20 20 windowfocus --sync "$window"
  xdotool key --delay 40 "$@"
  for _ in $(seq 100); do kill -0 "$editor" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$editor" 2>/dev/null; then
    kill "$editor"
    fail "the editor did not close after: $*"
  fi
  wait "$editor" || fail "motion-host edit exited with $?"
}

edit_with_keys Escape
cmp -s "$example" "$work/m.motion" || fail "Escape changed the motion file"

edit_with_keys 1 2 period 5 Return minus 7 Return Tab Return
grep -q '^X_TPOS\[mm\]=80, 12.5, 0, -80, 0$' "$work/m.motion" || fail "the typed segment is not in: $(cat "$work/m.motion")"
grep -q '^Y_TPOS\[mm\]=0, -7, 40, 0, -40$' "$work/m.motion" || fail "the typed segment is not in: $(cat "$work/m.motion")"
# A motion-host whose folder lacks the window backend still runs its other commands.
mkdir "$work/alone"
cp "$host" "$work/alone/"
cp "$example" "$work/m.motion"
module="$(dirname "$host")/Zoventa.so"
"$work/alone/motion-host" --module "$module" edit "$work/m.motion" 2>"$work/err"
[ $? -eq 2 ] || fail "edit without the window backend did not exit 2"
grep -q "the window backend is missing" "$work/err" || fail "edit without the window backend said: $(cat "$work/err")"
cmp -s "$example" "$work/m.motion" || fail "edit without the window backend changed the motion file"
"$work/alone/motion-host" --module "$module" translate "$work/m.motion" >/dev/null || fail "translate needed the window backend"

echo "motion-host edit: Escape kept the file, OK wrote the typed segment, a missing backend is named"
