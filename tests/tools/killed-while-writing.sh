#!/usr/bin/env bash
# A motion-host killed while it replaces a file leaves the old file or the new one, whole: strace
# kills it as it renames the finished temporary file over the target, and again as it syncs the
# folder right after the rename; the next write removes the temporary file the first kill left.
# Usage: killed-while-writing.sh MOTION_HOST EXAMPLES_DIR
set -u
host=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

"$host" import-gcode "$examples/slot.nc" -o "$work/new.motion" >/dev/null 2>&1 || fail "import-gcode did not run"

# Kills the import into a copy of circle.motion at the given system call; prints what was left.
killed_at() {
  cp "$examples/circle.motion" "$work/target.motion"
  strace -f -o /dev/null -e trace="$1" -e inject="$1:signal=KILL$2" \
    "$host" import-gcode "$examples/slot.nc" -o "$work/target.motion" >/dev/null 2>&1
}

killed_at rename,renameat,renameat2 ""
cmp -s "$examples/circle.motion" "$work/target.motion" || fail "killed before the rename, the old file is not whole"
# The killed write's temporary stays until the next write to the file, which removes it once it
# is stale (a minute without a change).
temporaries() { find "$work" -maxdepth 1 -name '.target.motion.??????' | wc -l; }
[ "$(temporaries)" -eq 1 ] || fail "killed before the rename, no temporary file was left"
touch -d '2 minutes ago' "$work"/.target.motion.??????
"$host" import-gcode "$examples/slot.nc" -o "$work/target.motion" >/dev/null 2>&1 || fail "import-gcode did not run"
[ "$(temporaries)" -eq 0 ] || fail "the next write left the killed write's temporary"
killed_at fsync ":when=2"
cmp -s "$work/new.motion" "$work/target.motion" || fail "killed after the rename, the new file is not whole"
echo "killed before and after the rename: the old file, then the new one, whole; the temporary gone with the next write"
