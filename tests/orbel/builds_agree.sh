#!/usr/bin/env bash
# builds_agree.sh TRACE32 TRACE64: the 32-bit and the 64-bit orbel_trace
# print the same positions and velocities after the same ticks.
set -u
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
[ -f "$1" ] || { echo "FAIL: $1 is missing: build the win32 preset first"; exit 1; }
a=$(mktemp) b=$(mktemp)
trap 'rm -f "$a" "$b"' EXIT
"$tools/wine-run" "$1" 300 400 >"$a" || { echo "FAIL: the 32-bit trace did not run"; exit 1; }
"$tools/wine-run" "$2" 300 400 >"$b" || { echo "FAIL: the 64-bit trace did not run"; exit 1; }
# 300 points moved away from their start (a trace that never ran the step
# would agree as well).
[ "$(wc -l <"$a")" -eq 300 ] || { echo "FAIL: the 32-bit trace printed $(wc -l <"$a") lines"; exit 1; }
moving=$(grep -vc ' 0000000000000000 0000000000000000 0000000000000000$' "$a")
[ "$moving" -gt 250 ] || { echo "FAIL: only $moving points have moved"; exit 1; }
if ! diff -q "$a" "$b" >/dev/null; then
  echo "FAIL: the builds differ in $(diff "$a" "$b" | grep -c '^<') of 300 points"
  exit 1
fi
echo "ok: both builds agree on all 300 points after 400 ticks"
