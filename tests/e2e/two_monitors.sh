#!/usr/bin/env bash
# Every monitor covered, on the rig's two monitors: an 800 x 600 monitor left
# of the 1024 x 768 primary (at negative coordinates for Windows). For Orbel,
# Glyra2 and Worms /s:
#   - a window of the program lies on each monitor, and each monitor shows
#     the saver: no pixel of the desktop's colour is left under Orbel's and
#     Glyra2's black, and Worms' worms crawl on both;
#   - a key press ends the run with exit code 0, and so does a click on the
#     secondary monitor.
. "$(dirname "$0")/lib.sh"
DESKTOP='#3060a0'
# Where the monitors are on the X screen.
SECONDARY=800x600+0+0
PRIMARY=1024x768+800+0

check "the display has the two monitors" test "$(xrandr --listmonitors | head -1)" = "Monitors: 2"
xsetroot -solid "$DESKTOP"

region() { convert "$1" -crop "$2" +repage "$3"; }
differing() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info:
}
windows_of() { xdotool search --name "^$1\$" 2>/dev/null | wc -l; }

# run_saver PROGRAM ENDING: ENDING is key or click.
run_saver() {
  local program=$1 ending=$2 pid i
  reg_delete "HKCU\\Software\\Zamvel\\$program"
  start_program pid "$BIN/$program.scr" /s
  for i in $(seq 100); do [ "$(windows_of "$program")" -ge 2 ] && break; sleep 0.1; done
  check "$program: a window on each monitor ($(windows_of "$program") windows)" test "$(windows_of "$program")" -eq 2
  sleep 1.5
  shot "$WORK/a.png"
  sleep 0.5
  shot "$WORK/b.png"
  local m where
  for m in SECONDARY PRIMARY; do
    where=${!m}
    region "$WORK/a.png" "$where" "$WORK/a-$m.png"
    region "$WORK/b.png" "$where" "$WORK/b-$m.png"
    if [ "$program" = Worms ]; then
      check "$program: worms crawl on the ${m,,} monitor" \
        test "$(differing "$WORK/a-$m.png" "$WORK/b-$m.png")" -gt 100
    else
      check "$program: the ${m,,} monitor shows none of the desktop" \
        test "$(count_colour "$WORK/a-$m.png" "$DESKTOP")" -eq 0
      check "$program: and the saver draws there" test "$(lit_count "$WORK/b-$m.png")" -gt 50
    fi
  done
  if [ "$ending" = key ]; then
    xdotool key space
  else
    xdotool mousemove 400 300 click 1
  fi
  wait_exit "$pid" 10
  check "$program: a $ending on the $( [ "$ending" = key ] && echo keyboard || echo secondary monitor) ends the run with 0 (got $EXIT_CODE)" \
    test "$EXIT_CODE" = 0
  check "$program: no window is left" test "$(windows_of "$program")" -eq 0
}

run_saver Orbel key
run_saver Orbel click
run_saver Glyra2 click
run_saver Worms key
finish
