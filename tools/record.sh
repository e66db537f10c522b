#!/usr/bin/env bash
# record.sh NAME PROGRAM ARGS...: runs a program on the rig's private Xvfb,
# saves a few seconds of it as out/NAME.gif and a still as out/NAME.png, then
# ends it as a user would (a key press; Esc for a dialog) and prints the paths.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$ROOT/tools/wine-env.sh"
name=$1
shift
out="$ROOT/out"
frames=$(mktemp -d)
mkdir -p "$out"

# Worms draws over whatever the screen shows: give it a picture to crawl on,
# painted by a wine program that also keeps wine's desktop up meanwhile.
picture_pid=""
picture=${PICTURE:-$ROOT/build/win32/tests/worms_picture.exe}
if [ "$name" = worms ] && [ -f "$picture" ]; then
  "$WINE" "$picture" </dev/null >/dev/null 2>&1 &
  picture_pid=$!
  for i in $(seq 100); do xdotool search --name '^Picture$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 0.5
fi

"$WINE" "$@" </dev/null >/dev/null 2>&1 &
pid=$!
sleep 2
for i in $(seq -w 1 24); do
  import -display "$DISPLAY" -window root "$frames/f$i.png" 2>/dev/null
  sleep 0.15
done
gif="$out/$name.gif" png="$out/$name.png"
convert -delay 15 -loop 0 "$frames"/f*.png -resize 512x384 "$gif"
cp "$frames/f06.png" "$png"

# End the run as a user would.
for title in Setting Preview Glyra2 Glyra Orbel Worms; do
  w=$(xdotool search --name "^$title\$" 2>/dev/null | head -1)
  [ -n "$w" ] || continue
  xdotool windowfocus --sync "$w" 2>/dev/null
  if [ "$title" = Setting ]; then xdotool key Escape
  elif [ "$title" = Preview ]; then xdotool key alt+F4
  else xdotool key space; fi
  break
done
for i in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill "$pid" $picture_pid 2>/dev/null
wait "$pid" $picture_pid 2>/dev/null
rm -rf "$frames"
echo "animation: $gif"
echo "still:     $png"
