#!/usr/bin/env bash
# The manual page, made as the install makes it: every character as roff names it (no "???" where
# help2man met the en dash), and the commands' sections in filled paragraphs and tagged option
# rows that man fits to the reader's width. Usage: man-page.sh HELP2MAN MOTION_HOST MAN_PAGE_CMAKE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake -DHELP2MAN="$1" -DMOTION_HOST="$2" -DOUTPUT="$work/motion-host.1" -P "$3" || fail "the page was not made"
page=$work/motion-host.1
! grep -q '???' "$page" || fail "the page holds \"???\": $(grep -m1 '???' "$page")"
grep -q 'Path preview \\(en MOTION_FILE' "$page" || fail "the edit section lacks the en dash"
commands=$(sed -n '/^\.SH COMMANDS/,/^\.SH /p' "$page")
! grep -q '^\.nf' <<<"$commands" || fail "the commands' sections are not filled"
grep -q '^\.TP' <<<"$commands" || fail "the commands' options are no tagged paragraphs"
# Rendered 60 columns wide, no line of the commands' sections is wider.
export LC_ALL=C.UTF-8
while IFS= read -r line; do
  [ ${#line} -le 60 ] || fail "a line wider than 60 columns: $line"
done < <(MANWIDTH=60 man -l "$page" 2>/dev/null | col -b | sed -n '/^COMMANDS/,/^[A-Z]/p')
echo "the manual page names its characters and fills its commands' sections"
