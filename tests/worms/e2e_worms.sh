#!/usr/bin/env bash
# Worms end to end, the real Worms.scr on the rig's display:
#  /s   coloured worms with black tracks crawl over the picture on the screen,
#       the rest of the picture stays; a key press ends it with exit code 0;
#  /p   (the in-process preview host) the screen shrunk into the preview, the
#       worms on it; a key press ends it with exit code 0;
#  /c   "Setting" shows the stored values with the right radio button: OK
#       writes back what it showed, Esc writes nothing.
# Argument: the picture program (tests/worms/picture_window.cpp).
. "$(dirname "$0")/../e2e/lib.sh"
KEY='HKCU\Software\Zamvel\Worms'

# The number of pixels of A that differ from B (same size).
differing() {
  convert "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info:
}

# A recognisable picture on the screen: blue and khaki halves with a white
# disc in the middle, drawn by a wine program (wine's desktop paints over
# pictures put on the X root). What the screen shows then is the reference.
start_program picture "${1:?the picture program}"
wait_window Picture >/dev/null || { check "the picture appears" false; finish; exit 1; }
sleep 1
shot "$WORK/picture.png"
read -r SW SH < <(xdotool getdisplaygeometry)
check "the picture is on the screen" test "$(pixel "$WORK/picture.png" 20 60)" = "srgb(64,96,160)"

dword() { printf '%d' "$(reg_value "$KEY" "$1" | awk '{print $NF}')"; }

# --- full screen, the defaults: 100 worms of 10 that leave black tracks ------
reg_delete "$KEY"
start_program pid "$BIN/Worms.scr" /s
win=$(wait_window Worms) || { check "the Worms window appears" false; finish; exit 1; }
sleep 2.5
shot "$WORK/run.png"
changed=$(differing "$WORK/run.png" "$WORK/picture.png")
black=$(count_colour "$WORK/run.png" black)
colours=$(convert "$WORK/run.png" -format %k info:)
check "the worms changed the picture ($changed pixels)" test "$changed" -ge 20000
check "they leave black tracks ($black black pixels)" test "$black" -ge 10000
check "in many colours ($colours colours on the screen)" test "$colours" -ge 60
# Worms set off from the corners and step at most 12 pixels a tick: the
# middle of the screen still shows the picture, untouched.
mid="100x100+$((SW / 2 - 50))+$((SH / 2 - 50))"
convert "$WORK/run.png" -crop "$mid" +repage "$WORK/run-mid.png"
convert "$WORK/picture.png" -crop "$mid" +repage "$WORK/pic-mid.png"
check "the picture shows through where no worm has been" \
  test "$(differing "$WORK/run-mid.png" "$WORK/pic-mid.png")" -eq 0
press "$win" space
wait_exit "$pid" 15
check "a key press ends the run with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0

# --- preview: the shrunken screen, then the worms on it ----------------------
# Worms that leave no trail change only the pixels under them.
reg_dword "$KEY" Type 1
start_program pid "$BIN/Worms-preview.exe"
host=$(wait_window Preview) || { check "the preview host window appears" false; finish; exit 1; }
sleep 0.6
shot "$WORK/preview.png"
preview_client "$host" "$WORK/preview.png" "$WORK/client.png"
# Away from the corners: blue on the left, khaki on the right, the white disc.
check "the preview shows the screen's left half shrunk" test "$(pixel "$WORK/client.png" 20 60)" = "srgb(64,96,160)"
check "and its right half" test "$(pixel "$WORK/client.png" 130 60)" = "srgb(208,192,128)"
check "and the disc in the middle" test "$(pixel "$WORK/client.png" 76 56)" = "srgb(255,255,255)"
sleep 1.5
shot "$WORK/preview2.png"
preview_client "$host" "$WORK/preview2.png" "$WORK/client2.png"
check "worms crawl in the preview" test "$(differing "$WORK/client2.png" "$WORK/client.png")" -ge 100
press "$host" space
wait_exit "$pid" 15
check "a key press ends the preview with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0

# --- the settings dialog -----------------------------------------------------
# Opens "Setting" with /c, closes it with a key and waits for the program;
# without the dialog the script ends, failing $2.
close_setting_with() {
  local pid dlg
  start_program pid "$BIN/Worms.scr" /c
  dlg=$(wait_window Setting) || { check "$2" false; finish; exit 1; }
  press "$dlg" "$1"
  wait_exit "$pid" 15
}

# Stored values that are not the defaults come back unchanged through OK,
# so the dialog showed them, the third radio button included.
reg_dword "$KEY" Type 2
reg_dword "$KEY" WormsCnt 345
reg_dword "$KEY" WormsLen 17
close_setting_with Return "the Setting dialog appears"
check "OK closes the dialog with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
check "it showed and kept the stored values ($(dword Type), $(dword WormsCnt), $(dword WormsLen))" \
  test "$(dword Type) $(dword WormsCnt) $(dword WormsLen)" = "2 345 17"

# A stored Type out of range checks "跡を残さない" (Type 1); Esc writes nothing.
reg_dword "$KEY" Type 7
close_setting_with Escape "the Setting dialog appears again"
check "Esc closes the dialog with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
check "and writes nothing (Type is still $(dword Type))" test "$(dword Type)" = 7
close_setting_with Return "the Setting dialog appears a third time"
check "Type 7 was shown as the second radio button and saved as 1 (got $(dword Type))" test "$(dword Type)" = 1
finish
