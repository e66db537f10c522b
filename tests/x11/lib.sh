# Sourced by the native programs' scripts: the programs of ZAMVEL_BIN on
# this display, seen through xwd screenshots and compared with the
# pictures the logic says (ZAMVEL_TESTS/expected_picture).
#
#   shot FILE [WxH+X+Y]        the screen, or a part of it, as FILE (png or ppm)
#   differing A B              how many pixels of A and B differ (same size)
#   until_same EXPECTED GEOM   true once the screen's part GEOM shows EXPECTED (10 s at most)
#   wait_exit PID [SECONDS]    sets EXIT_CODE to the program's exit code, or "timeout"
#   check DESCRIPTION CMD...   count a check; the command's success is the verdict
#   finish                     print "N passed, N failed" and exit with the verdict
set -u
BIN=${ZAMVEL_BIN:?} TESTS=${ZAMVEL_TESTS:?}
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../common/checks.sh"
STARTED=()
trap 'for p in "${STARTED[@]}"; do kill "$p" 2>/dev/null; done; rm -rf "$WORK"' EXIT

shot() {
  if [ $# -gt 1 ]; then
    xwd -root -silent | convert xwd:- -crop "$2" +repage "$1"
  else
    xwd -root -silent | convert xwd:- "$1"
  fi
}

differing() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info:
}

until_same() {
  local i
  for i in $(seq 100); do
    shot "$WORK/now.png" "$2"
    [ "$(differing "$WORK/now.png" "$1" 2>/dev/null)" = 0 ] && return 0
    sleep 0.1
  done
  return 1
}

EXIT_CODE=""
wait_exit() {
  local p=$1 seconds=${2:-10} i
  EXIT_CODE=timeout
  for i in $(seq $((seconds * 10))); do
    if ! kill -0 "$p" 2>/dev/null; then
      wait "$p"
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
}
