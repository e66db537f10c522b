#!/usr/bin/env bash
# record.sh NAME PROGRAM ARGS...: runs a program on the rig's private Xvfb,
# saves a few seconds of it as NAME.gif and a still as NAME.png, then ends
# it as a user would (a key press; Esc for a dialog) and prints the paths.
# A settings dialog (/c) is recorded as a still of the dialog alone.
#   RECORD_DIR   where the files go (default out/)
#   RECORD_GIF   the animation's size and palette: "WxH COLOURS" (default "512x384 256")
#   RECORD_LOCALE  the programs' locale (LC_ALL), e.g. ja_JP.UTF-8 for code page 932
#   RECORD_NATIVE  set: PROGRAM is a native Linux program, run without wine
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$ROOT/tools/wine-env.sh"
runner=("$WINE")
[ -n "${RECORD_NATIVE:-}" ] && runner=()
name=$1
shift
out=${RECORD_DIR:-$ROOT/out}
read -r gif_size gif_colours <<<"${RECORD_GIF:-512x384 256}"
frames=$(mktemp -d)
mkdir -p "$out"
dialog=""
case " $* " in *" /c "*) dialog=yes ;; esac

# Worms draws over whatever the screen shows: give it a picture to crawl on,
# painted by a wine program that also keeps wine's desktop up meanwhile.
picture_pid=""
picture=${PICTURE:-$ROOT/build/win32/tests/worms_picture.exe}
if [ "$name" = worms ] && [ -z "$dialog" ] && [ -n "${RECORD_NATIVE:-}" ]; then
  # The same picture on the root, where a native program copies it from.
  read -r sw sh < <(xdotool getdisplaygeometry)
  convert -size "${sw}x$sh" xc:'#4060a0' -fill '#d0c080' -draw "rectangle $((sw / 2)),0 $sw,$sh" \
    -fill white -draw "circle $((sw / 2)),$((sh / 2)) $((sw / 2)),$((sh / 2 + sh / 5))" "$frames/desk.png"
  # A client that stays connected, so that the server does not reset the
  # root when the last other one leaves.
  xev -root -event property >/dev/null 2>&1 &
  picture_pid=$!
  display -window root "$frames/desk.png"
elif [ "$name" = worms ] && [ -z "$dialog" ] && [ -f "$picture" ]; then
  "$WINE" "$picture" </dev/null >/dev/null 2>&1 &
  picture_pid=$!
  for i in $(seq 100); do xdotool search --name '^Picture$' >/dev/null 2>&1 && break; sleep 0.1; done
  sleep 0.5
fi

env ${RECORD_LOCALE:+LC_ALL=$RECORD_LOCALE} "${runner[@]}" "$@" </dev/null >/dev/null 2>&1 &
pid=$!
# The program's window (the dialog for /c), once it is there: none within
# the limit is a failure, not a picture.
what=window title='^(Glyra2|Glyra|Orbel|Worms|Preview)$'
[ -n "$dialog" ] && what="settings dialog" title='^Setting$'
w=""
for i in $(seq 300); do
  w=$(xdotool search --name "$title" 2>/dev/null | head -1)
  [ -n "$w" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$w" ]; then
  kill "$pid" $picture_pid 2>/dev/null
  echo "record: no $what of $name appeared within 30 s" >&2
  exit 1
fi
sleep 1
if [ -n "$dialog" ]; then
  png="$out/$name.png"
  rm -f "$png"
  if ! import -display "$DISPLAY" -window "$w" "$png" 2>/dev/null || [ ! -s "$png" ]; then
    kill "$pid" $picture_pid 2>/dev/null
    echo "record: the settings dialog of $name could not be captured" >&2
    exit 1
  fi
else
  for i in $(seq -w 1 24); do
    import -display "$DISPLAY" -window root "$frames/f$i.png" 2>/dev/null
    sleep 0.15
  done
  gif="$out/$name.gif" png="$out/$name.png"
  # Sampled, not smoothed, and not dithered: the savers' flat colours stay
  # flat, which keeps the animation small.
  convert -delay 15 -loop 0 "$frames"/f*.png -sample "$gif_size" +dither -colors "$gif_colours" \
    -layers Optimize "$gif"
  cp "$frames/f06.png" "$png"
fi

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
if [ -z "$dialog" ]; then
  echo "animation: $gif"
  echo "still:     $png"
else
  echo "dialog:    $png"
fi
