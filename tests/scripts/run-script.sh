#!/usr/bin/env bash
# Plays one editor script with motion-host on a copy of its motion and checks what its header
# lines ask for:
#   #! motion FILE     the motion to edit, beside the script (default: three-rows.motion here);
#                      "new" edits a file that does not exist yet
#   #! setup FILE      the setup file, beside the script (default: the built-in demo)
#   #! option OPTION   an option of the edit command (may repeat)
#   #! meanwhile WHAT  what someone else does once motion-host has read the motion, before the
#                      script's actions: "change" the file, "remove-folder" (the motion's), or
#                      "remove-folders" (the motion's and the one motion-host runs in)
#   #! exit N          the exit status (default 0)
#   #! changes yes|no  whether motion-host must change the motion file (default no)
#   #! recovered cwd|tmp  the edited motion must be in the recovery file, in the folder motion-host
#                      runs in or in the temporary folder
#   #! output TEXT     a text the transcript must hold (may repeat)
#   #! error TEXT      a text standard error must hold (may repeat)
# A script with "meanwhile" reaches motion-host through a pipe, so that motion-host has read the
# motion before the script. Every script runs in a folder of its own, away from the files it names,
# which it reads from its own folder.
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
mkdir "$work/files" "$work/cwd" "$work/tmp"
edited=$work/files/edited.motion
untouched=$work/untouched.motion
[ "$motion" = /dev/null ] || { cp "$motion" "$edited"; cp "$motion" "$untouched"; }
mapfile -t options < <(directive option)
setup=$(directive setup)
[ -z "$setup" ] || options+=(--setup "$(cd "$(dirname "$script")" && realpath "$setup")")
meanwhile=$(directive meanwhile)

if [ -z "$meanwhile" ]; then
  (cd "$work/cwd" && TMPDIR=$work/tmp "$host" edit "${options[@]}" --script "$script" "$edited") \
    >"$work/out" 2>"$work/err"
  status=$?
else
  mkfifo "$work/script"
  (cd "$work/cwd" && TMPDIR=$work/tmp exec "$host" edit "${options[@]}" --script "$work/script" "$edited") \
    >"$work/out" 2>"$work/err" &
  # Opening the pipe waits for motion-host, which opens it once it has read the motion.
  exec 3>"$work/script"
  case "$meanwhile" in
    change) echo "# changed by someone else" >>"$edited"; cp "$edited" "$untouched" ;;
    remove-folder) rm -rf "$work/files"; rm -f "$untouched" ;;
    remove-folders) rm -rf "$work/files" "$work/cwd"; rm -f "$untouched" ;;
  esac
  cat "$script" >&3
  exec 3>&-
  wait $!
  status=$?
fi
cat "$work/out" "$work/err"

fail() { echo "FAILED: $*"; exit 1; }
expected=$(directive exit)
[ "$status" -eq "${expected:-0}" ] || fail "exit status $status, expected ${expected:-0}"
if [ "$(directive changes)" = yes ]; then
  [ -f "$edited" ] && ! cmp -s "$untouched" "$edited" || fail "the motion file did not change"
elif [ ! -e "$untouched" ]; then
  [ ! -e "$edited" ] || fail "a motion file was written"
else
  cmp -s "$untouched" "$edited" || fail "the motion file changed"
fi
recovered=$(directive recovered)
if [ -n "$recovered" ]; then
  recovery=$work/$recovered/edited.motion.recovered
  grep -qF -- "$recovery" "$work/err" || fail "standard error does not name $recovery"
  sed '1,/^the editor ended with OK; parameter text written:$/d' "$work/out" | cmp -s - "$recovery" ||
    fail "$recovery does not hold the edited motion"
fi
while IFS= read -r text; do
  [ -z "$text" ] || grep -qF -- "$text" "$work/out" || fail "the transcript lacks: $text"
done < <(directive output)
while IFS= read -r text; do
  [ -z "$text" ] || grep -qF -- "$text" "$work/err" || fail "standard error lacks: $text"
done < <(directive error)
