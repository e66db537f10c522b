#!/usr/bin/env bash
# run_fuzz.sh BINARY SECONDS: one fuzz target for SECONDS, from its seeds
# (written by seeds.py), the inputs kept in tests/fuzz/corpus/NAME (each a
# finding once, replayed first) and what earlier runs on this machine found
# (build/fuzz/corpus/NAME, where new inputs go). A finding (crash, leak,
# undefined behaviour, a failed check, an input running over 10 s) fails
# the run; its input is written to build/fuzz/artifacts/NAME/.
set -u
bin=$1 seconds=$2
name=$(basename "$bin")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "$(dirname "$bin")/.." && pwd)
work=$build/corpus/$name seeds=$build/seeds/$name artifacts=$build/artifacts/$name
kept=$here/corpus/$name
log=$build/logs/$name.log
mkdir -p "$work" "$artifacts" "$(dirname "$log")"
rm -rf "$seeds"
python3 "$here/seeds.py" "$name" "$seeds" || exit 1
dirs=("$work" "$seeds")
[ -d "$kept" ] && dirs+=("$kept")

symbolizer=$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0${symbolizer:+:external_symbolizer_path=$symbolizer}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "$name: $seconds s from $(ls "$seeds" | wc -l) seeds$([ -d "$kept" ] && echo ", $(ls "$kept" | wc -l) kept inputs")," \
  "$(ls "$work" | wc -l) inputs found before"
"$bin" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" \
  "${dirs[@]}" >"$log" 2>&1
rc=$?
if [ $rc -ne 0 ] || ! grep -q '^Done [0-9]* runs' "$log"; then
  tail -n 60 "$log"
  echo "$name: FAILED (exit $rc); the whole log: $log" >&2
  sed -n 's/.*Test unit written to \(.*\)/\1/p' "$log" | while read -r f; do
    echo "  finding: $f (replay: $bin $f)" >&2
  done
  exit 1
fi
grep -E '^INFO: Seed:|^#[0-9]+[[:space:]]+DONE|^Done [0-9]+ runs' "$log"
