#!/usr/bin/env bash
# with_xvfb.sh COMMAND...: runs the command with DISPLAY on a private Xvfb
# (640 x 480, 24 bits, kept when the last client goes, so that a picture
# drawn on the root stays after its program has ended), stopped again by
# its process id.
set -u
n=""
for d in $(seq 200 299); do
  [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || { n=$d; break; }
done
[ -n "$n" ] || { echo "no free X display" >&2; exit 1; }
Xvfb ":$n" -nolisten tcp -noreset -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null' EXIT
for i in $(seq 100); do
  [ -e /tmp/.X11-unix/X$n ] && break
  kill -0 $xvfb 2>/dev/null || { echo "Xvfb failed to start" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=:$n
"$@"
