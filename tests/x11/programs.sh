#!/usr/bin/env bash
# The native programs on a private 640 x 480 Xvfb (with_xvfb.sh), each
# picture compared pixel for pixel with what the shared logic computes for
# the same size (expected_picture): the same logic, so the same picture as
# on Windows.
#   - Orbel's opening frame and its 25th, drawn on the root;
#   - Worms' first ticks in each trail mode over a desktop picture: a black
#     track, no trace (the picture given back exactly where the worms have
#     been) and smears;
#   - a foreign window (--window-id): drawn inside it, a new run when it is
#     resized, the end (exit code 0) when it is destroyed;
#   - the daemon's way: XSCREENSAVER_WINDOW with --root, Worms over the
#     screenshot hung on the window;
#   - a window of its own: Worms over a copy of the screen as it was, the end
#     on SIGTERM; Orbel's end on a key press; both with exit code 0;
#   - a refused option ends with 2 before any window;
#   - under a window manager that never shows its window, the end with 1.
. "$(dirname "$0")/lib.sh"
W=640 H=480

# --- Orbel's frames on the root ---------------------------------------------
for frames in 1 25; do
  "$BIN/zamvel-orbel" --root --frames $frames --delay 0
  shot "$WORK/orbel.png"
  "$TESTS/expected_picture" orbel $W $H $frames 300 "$WORK/orbel.ppm"
  check "Orbel's frame $frames puts its points where the logic does" \
    test "$(differing "$WORK/orbel.png" "$WORK/orbel.ppm")" = 0
done
check "and they are there to see ($(convert "$WORK/orbel.png" -format '%[fx:round(mean*w*h)]' info:) lit)" \
  test "$(convert "$WORK/orbel.png" -format '%[fx:round(mean*w*h)]' info:)" -gt 200

# --- Worms' ticks over a desktop picture --------------------------------------
convert -size ${W}x$H xc:'#3060a0' -fill '#d0c080' -draw "rectangle $((W / 2)),0 $W,$H" \
  -fill white -draw "circle $((W / 2)),$((H / 2)) $((W / 2)),$((H / 2 + 90))" "$WORK/desk.png"
desktop() { display -window root "$WORK/desk.png"; shot "$WORK/desk.ppm"; }
trail=0
for mode in clear none smear; do
  for ticks in 1 30; do
    desktop
    "$BIN/zamvel-worms" --root --frames $ticks --delay 0 --trail $mode
    shot "$WORK/worms.png"
    "$TESTS/expected_picture" worms $W $H $ticks 100 10 $trail "$WORK/desk.ppm" "$WORK/worms.ppm"
    check "Worms ($mode), tick $ticks: the picture the logic says" \
      test "$(differing "$WORK/worms.png" "$WORK/worms.ppm")" = 0
  done
  trail=$((trail + 1))
done
# Without a trail each segment is drawn NOT-XOR twice, as head and as tail:
# after 30 ticks the picture differs only under the worms' ten live segments.
desktop
"$BIN/zamvel-worms" --root --frames 30 --delay 0 --trail none --length 2
shot "$WORK/worms.png"
changed=$(differing "$WORK/worms.png" "$WORK/desk.ppm")
check "Worms (none): the picture comes back where a worm has gone ($changed pixels differ)" test "$changed" -lt 16000

# --- a foreign window ---------------------------------------------------------
"$TESTS/window_host" 200 150 100 80 >"$WORK/host" &
host_pid=$!
STARTED+=($host_pid)
for i in $(seq 50); do [ -s "$WORK/host" ] && break; sleep 0.1; done
win=$(cat "$WORK/host")
outside() { convert "$1" -fill black -draw 'rectangle 100,80 499,379' "$2"; }
shot "$WORK/before.png"
outside "$WORK/before.png" "$WORK/before-outside.png"
"$BIN/zamvel-orbel" --window-id "$win" --delay 10000000 &
pid=$!
STARTED+=($pid)
"$TESTS/expected_picture" orbel 200 150 1 300 "$WORK/small.ppm"
check "--window-id: Orbel draws its opening frame in the window" until_same "$WORK/small.ppm" 200x150+100+80
shot "$WORK/screen.png"
outside "$WORK/screen.png" "$WORK/screen-outside.png"
check "and nowhere else" test "$(differing "$WORK/screen-outside.png" "$WORK/before-outside.png")" = 0
xdotool windowsize "$win" 400 300
"$TESTS/expected_picture" orbel 400 300 1 300 "$WORK/large.ppm"
check "resized, the window gets a new run for its new size" until_same "$WORK/large.ppm" 400x300+100+80
kill $host_pid
wait_exit $pid
check "the window destroyed, the program ends with 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0

# --- the daemon's way: XSCREENSAVER_WINDOW, its screenshot ---------------------
"$TESTS/window_host" 300 200 0 0 screenshot >"$WORK/host" &
host_pid=$!
STARTED+=($host_pid)
for i in $(seq 50); do [ -s "$WORK/host" ] && [ "$(cat "$WORK/host")" != "$win" ] && break; sleep 0.1; done
win=$(cat "$WORK/host")
convert -size 300x200 xc:'#3060a0' -fill '#d0c080' -draw 'rectangle 150,0 300,200' -depth 8 "$WORK/shot.ppm"
XSCREENSAVER_WINDOW=$win "$BIN/zamvel-worms" --root --delay 10000000 &
pid=$!
STARTED+=($pid)
"$TESTS/expected_picture" worms 300 200 1 100 10 0 "$WORK/shot.ppm" "$WORK/daemon.ppm"
check "XSCREENSAVER_WINDOW: Worms crawls in that window over the screenshot hung on it" \
  until_same "$WORK/daemon.ppm" 300x200+0+0
kill -TERM $pid
wait_exit $pid
check "SIGTERM ends it with 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
kill $host_pid

# --- a window of its own --------------------------------------------------------
desktop
"$BIN/zamvel-worms" --delay 10000000 &
pid=$!
STARTED+=($pid)
"$TESTS/expected_picture" worms $W $H 1 100 10 0 "$WORK/desk.ppm" "$WORK/own.ppm"
check "its own window: Worms crawls over the screen as it was" until_same "$WORK/own.ppm" ${W}x$H+0+0
kill -TERM $pid
wait_exit $pid
check "SIGTERM ends it with 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0

"$BIN/zamvel-orbel" &
pid=$!
STARTED+=($pid)
own=""
for i in $(seq 50); do own=$(xdotool search --name '^Orbel$' 2>/dev/null | head -1); [ -n "$own" ] && break; sleep 0.1; done
xdotool windowfocus --sync "$own" 2>/dev/null
xdotool key space
wait_exit $pid
check "a key press ends Orbel's own window with 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0

# --- a refused option -------------------------------------------------------------
"$BIN/zamvel-orbel" --count many 2>"$WORK/err"
rc=$?
check "a count that is no number is refused with 2 (got $rc): $(cat "$WORK/err")" test $rc = 2

# --- a window manager that keeps the window back --------------------------------
# It takes every map request (SubstructureRedirectMask) and grants none.
python3 -c 'import ctypes as c, time
x = c.CDLL("libX11.so.6"); x.XOpenDisplay.restype = c.c_void_p; x.XDefaultRootWindow.restype = c.c_ulong
d = c.c_void_p(x.XOpenDisplay(None)); x.XSelectInput(d, c.c_ulong(x.XDefaultRootWindow(d)), c.c_long(1 << 20))
x.XSync(d, 0); print("ready", flush=True); time.sleep(60)' >"$WORK/wm" &
STARTED+=($!)
for i in $(seq 50); do [ -s "$WORK/wm" ] && break; sleep 0.1; done
"$BIN/zamvel-orbel" 2>"$WORK/err" &
pid=$!
STARTED+=($pid)
wait_exit $pid 15
check "its own window kept back, Orbel ends with 1 (got $EXIT_CODE): $(cat "$WORK/err")" test "$EXIT_CODE" = 1
finish
