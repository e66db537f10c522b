#!/usr/bin/env bash
# preview_host.sh PROGRAM: the real PROGRAM.scr started by a host with
# "/p <host window>" becomes a child window of class TYPE1 over the host's
# 152 x 112 client area, and ends with exit code 0 when the host destroys
# its window.
. "$(dirname "$0")/lib.sh"
program=$1
scr=$("$WINE" winepath -w "$BIN/$program.scr" 2>/dev/null | tr -d '\r')

# The program's output, crash reports included, goes into the host's log.
start_program host "$BIN/preview-host.exe" "$scr" 3
out=${PROGRAM_LOG[$host]}
wait_exit "$host" 30
code=$EXIT_CODE
check "the host ended" test "$code" != timeout
check "the program's window is a TYPE1 child titled $program over 152x112" \
  grep -q "^child TYPE1 $program 152x112" "$out"
check "the program ended with exit code 0 when the host went away (got $code)" test "$code" = 0
# Not a single stray window of the program is left.
check "no $program window is left" bash -c "! xdotool search --name '^$program\$' >/dev/null 2>&1"
finish
