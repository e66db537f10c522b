#!/usr/bin/env bash
# builds_agree.sh TRACE32 TRACE64: the 32-bit and the 64-bit orbel_trace,
# each with every kernel this CPU runs, print the same positions and
# velocities after the same ticks as the 32-bit reference kernel.
set -u
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
[ -f "$1" ] || { echo "FAIL: $1 is missing: build the win32 preset first"; exit 1; }
. "$tools/wine-env.sh"
wine_skip_unless_runs "$1"
ref=$(mktemp) out=$(mktemp)
trap 'rm -f "$ref" "$out"' EXIT
"$tools/wine-run" "$1" 300 400 scalar >"$ref" || { echo "FAIL: the 32-bit reference trace did not run"; exit 1; }
# 300 points moved away from their start (a trace that never ran the step
# would agree as well).
[ "$(wc -l <"$ref")" -eq 300 ] || { echo "FAIL: the 32-bit trace printed $(wc -l <"$ref") lines"; exit 1; }
moving=$(grep -vc ' 0000000000000000 0000000000000000 0000000000000000$' "$ref")
[ "$moving" -gt 250 ] || { echo "FAIL: only $moving points have moved"; exit 1; }
rc=0 agreed=""
for build in 32 64; do
  trace=$1
  [ $build = 64 ] && trace=$2
  for kernel in scalar sse2 avx2; do
    [ $build/$kernel = 32/scalar ] && continue
    "$tools/wine-run" "$trace" 300 400 $kernel >"$out"
    case $? in
      0) ;;
      3) echo "note: this CPU has no $kernel"; continue ;;
      *) echo "FAIL: the $build-bit $kernel trace did not run"; rc=1; continue ;;
    esac
    if ! diff -q "$ref" "$out" >/dev/null; then
      echo "FAIL: the $build-bit $kernel kernel differs in $(diff "$ref" "$out" | grep -c '^>') of 300 points"
      rc=1
      continue
    fi
    agreed="$agreed $build-bit/$kernel"
  done
done
[ $rc -eq 0 ] && echo "ok: all 300 points agree after 400 ticks:$agreed"
exit $rc
