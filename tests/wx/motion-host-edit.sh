#!/usr/bin/env bash
# motion-host edit in a real window, played with xdotool on the display scripts/with-xvfb gives
# it: Escape leaves the motion file byte for byte; a segment typed with the Enter walk and then
# Enter away from the value fields (OK) rewrites it; each says so on standard error; a motion read
# with faults shows them in a box first; without the window backend beside it, motion-host says so
# and leaves the file alone.
# Usage: motion-host-edit.sh MOTION_HOST EXAMPLE_MOTION
set -u
host=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

# Waits for the window titled $1 and gives it the keyboard: no window manager does.
focus_window() {
  local window
  window=$(timeout 10 xdotool search --sync --name "^$1\$" | head -n 1)
  [ -n "$window" ] || fail "the window \"$1\" did not appear"
  xdotool mousemove --window "$window" 20 20 windowfocus --sync "$window"
}

# Edits a copy of MOTION with the key presses; the editor must then end by itself. With BOX
# "box", a message box must come first, and Enter closes it.
edit_with_keys() {
  local motion=$1 box=$2
  shift 2
  cp "$motion" "$work/m.motion"
  "$host" edit "$work/m.motion" 2>"$work/err" &
  local editor=$!
  if [ "$box" = box ]; then
    focus_window "Motion Programmer"
    xdotool key Return
  fi
  focus_window "Motion - Vector Mode"
  # The dialog puts the caret into its first field once the window has shown; keys sent before
  # that would go to whatever had the focus (a slow start, under the sanitizers, shows it).
  sleep 1
  xdotool key --delay 40 "$@"
  for _ in $(seq 100); do kill -0 "$editor" 2>/dev/null || break; sleep 0.05; done
  if kill -0 "$editor" 2>/dev/null; then
    kill "$editor"
    fail "the editor did not close after: $*"
  fi
  wait "$editor" || fail "motion-host edit exited with $?"
}

edit_with_keys "$example" nobox Escape
cmp -s "$example" "$work/m.motion" || fail "Escape changed the motion file"
grep -q "^motion-host edit: not written (Cancel)$" "$work/err" || fail "Escape ended with: $(cat "$work/err")"

edit_with_keys "$example" nobox 1 2 period 5 Return minus 7 Return Tab Return
grep -q '^X_TPOS\[mm\]=80, 12.5, 0, -80, 0$' "$work/m.motion" || fail "the typed segment is not in: $(cat "$work/m.motion")"
grep -q '^Y_TPOS\[mm\]=0, -7, 40, 0, -40$' "$work/m.motion" || fail "the typed segment is not in: $(cat "$work/m.motion")"
grep -q "^motion-host edit: written $work/m.motion$" "$work/err" || fail "OK ended with: $(cat "$work/err")"

# The rotary example without its setup reads with faults: a box names them before the editor.
edit_with_keys "$(dirname "$example")/rotary.motion" box Escape
grep -q "with these faults" "$work/err" || fail "the faults were not told: $(cat "$work/err")"

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

echo "motion-host edit: Escape kept the file, OK wrote the typed segment, faults came first, a missing backend is named"
