#!/usr/bin/env bash
# The real Glyra.scr under wine on the rig's display:
#   /s  snakes of text in light colours on black; a key press ends it with
#       exit code 0;
#   /c  the shared "Setting" dialog driven from the keyboard: a string typed
#       and added with Alt+U is stored in "List" by OK, and the next /s
#       draws it; Alt+S, Alt+F and Alt+P reach the string list, the font
#       list and the speed box; Esc stores nothing;
#   the preview (Glyra-preview.exe): the strings start near the top-left
#       corner, and a key press or click is ignored.
. "$(dirname "$0")/../e2e/lib.sh"
KEY='HKCU\Software\Zamvel\Glyra'
SCR="$BIN/Glyra.scr"

# Colours of a picture other than black, one "r g b" line each.
lit_colours() {
  convert "$1" -unique-colors -depth 8 txt:- | sed -n 's/.*srgb(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1 \2 \3/p' |
    grep -v '^0 0 0$'
}
winepath_of() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# Every channel of every lit colour is 135..255: light, unblended glyphs.
all_light() { lit_colours "$1" | awk '$1 < 135 || $2 < 135 || $3 < 135 { bad = 1 } END { exit bad }'; }

run_full_screen() {  # $1: what it should show
  local pid win code
  start_program pid "$SCR" /s
  win=$(wait_window Glyra) || { check "Glyra /s shows its window ($1)" false; return; }
  sleep 2
  shot "$WORK/run.png"
  local lit colours
  lit=$(lit_count "$WORK/run.png")
  colours=$(lit_colours "$WORK/run.png" | wc -l)
  check "$1: text is drawn ($lit lit pixels)" test "$lit" -ge 100
  check "$1: every lit pixel is a light string colour" all_light "$WORK/run.png"
  LAST_COLOURS=$colours
  move_mouse "$win" 200 200
  sleep 0.5
  check "$1: mouse movement does not end it" still_running "$pid"
  press "$win" space
  wait_exit "$pid" 20
  code=$EXIT_CODE
  check "$1: a key press ends it with exit code 0 (got $code)" test "$code" = 0
}

open_dialog() {
  start_program DIALOG_PID "$SCR" /c
  DLG=$(wait_window Setting) || return 1
  xdotool windowfocus --sync "$DLG" 2>/dev/null
  sleep 0.5
}

# Focus goes edit -> font list -> size -> bold -> italic -> speed -> OK.
ok_from_edit() { xdotool key Tab Tab Tab Tab Tab Tab; sleep 0.2; xdotool key space; }

# Alt+N (New) empties the edit; the text is typed into it.
type_new_string() {
  xdotool key alt+n
  sleep 0.2
  xdotool type --delay 30 "$1"
}

# --- full screen with the built-in strings ----------------------------------
reg_delete "$KEY"
run_full_screen "built-in strings"
check "nothing is stored by a run" reg_key_missing "$KEY"

# --- the dialog: type, Alt+U, OK --------------------------------------------
reg_delete "$KEY"
if open_dialog; then
  type_new_string 'Hello e2e'
  xdotool key alt+u
  sleep 0.3
  ok_from_edit
  wait_exit "$DIALOG_PID" 20
  code=$EXIT_CODE
  check "OK ends the program with exit code 0 (got $code)" test "$code" = 0
  check "the typed string is stored as List 1" test "$(reg_value "$KEY\\List" 1)" = "Hello e2e"
  check "nothing else is in List" test -z "$(reg_value "$KEY\\List" 2)"
  check "the speed is stored (3)" test "$(reg_value "$KEY" Speed)" = 0x3
else
  check "Glyra /c opens the Setting dialog" false
fi

# The next run draws that one string: one light colour only.
run_full_screen "the stored string"
check "one string, one colour (got $LAST_COLOURS)" test "$LAST_COLOURS" = 1

# --- Alt+S, Alt+F, Alt+P -----------------------------------------------------
face_before=$(reg_value "$KEY" FontName)
if open_dialog; then
  type_new_string 'second line'
  xdotool key alt+u
  sleep 0.2
  # Alt+S: the string list; Home selects its first line, Alt+D deletes it.
  xdotool key alt+s
  sleep 0.2
  xdotool key Home
  sleep 0.2
  xdotool key alt+d
  sleep 0.2
  # Alt+F: the font list; Home selects its first family.
  xdotool key alt+f
  sleep 0.2
  xdotool key Home
  sleep 0.2
  # Alt+P: the speed box; Down moves from the third speed to the fourth.
  xdotool key alt+p
  sleep 0.2
  xdotool key Down
  sleep 0.2
  xdotool key Tab
  sleep 0.2
  xdotool key space
  wait_exit "$DIALOG_PID" 20
  code=$EXIT_CODE
  check "OK ends the program with exit code 0 (got $code)" test "$code" = 0
  check "Alt+S reached the string list: its first line was deleted" \
    test "$(reg_value "$KEY\\List" 1)/$(reg_value "$KEY\\List" 2)" = "second line/"
  face=$(reg_value "$KEY" FontName)
  check "Alt+F reached the font list: a family was chosen ($face_before -> $face)" \
    test -n "$face" -a "$face" != "$face_before"
  check "Alt+P reached the speed box: speed 4 is stored" test "$(reg_value "$KEY" Speed)" = 0x4
else
  check "Glyra /c opens the Setting dialog again" false
fi

# --- Esc stores nothing --------------------------------------------------------
"$WINE" reg export "$KEY" "$(winepath_of "$WORK/before.reg")" /y >/dev/null 2>&1
if open_dialog; then
  type_new_string 'not kept'
  xdotool key alt+u alt+p Down
  sleep 0.2
  xdotool key Escape
  wait_exit "$DIALOG_PID" 20
  code=$EXIT_CODE
  check "Esc ends the program with exit code 0 (got $code)" test "$code" = 0
  "$WINE" reg export "$KEY" "$(winepath_of "$WORK/after.reg")" /y >/dev/null 2>&1
  check "Esc leaves the registry exactly as it was" cmp -s "$WORK/before.reg" "$WORK/after.reg"
else
  check "Glyra /c opens the Setting dialog a third time" false
fi

# --- the preview --------------------------------------------------------------
# A long string in a large font at the slowest speed: most of its
# characters still wait at the start point a second after the start.
reg_delete "$KEY"
reg_text "$KEY\\List" 1 'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW'
reg_dword "$KEY" Speed 5
reg_dword "$KEY" FontSize 64
start_program pid "$BIN/Glyra-preview.exe" 5
if host=$(wait_window Preview); then
  sleep 1
  shot "$WORK/preview.png"
  eval "$(xdotool getwindowgeometry --shell "$host")"
  # The host's client area sits below the caption, inside a frame as wide
  # on every side.
  border=$(((WIDTH - 152) / 2))
  convert "$WORK/preview.png" -crop "152x112+$((X + border))+$((Y + HEIGHT - 112 - border))" +repage \
    "$WORK/client.png"
  # The start point, half the preview in full-screen units, is (11, 8) in
  # the preview; the characters not yet under way are piled there. The
  # preview's own centre, where a full-screen run starts, stays dark.
  convert "$WORK/client.png" -crop 16x16+8+5 +repage "$WORK/start.png"
  convert "$WORK/client.png" -crop 16x16+70+50 +repage "$WORK/centre.png"
  all=$(lit_count "$WORK/client.png")
  start=$(lit_count "$WORK/start.png")
  centre=$(lit_count "$WORK/centre.png")
  check "the string shows in the preview ($all lit pixels)" test "$all" -ge 20
  check "it starts near the top-left corner ($start lit pixels there)" test "$start" -ge 10
  check "not at the preview's centre ($centre lit pixels there)" test "$centre" -eq 0
  press "$host" space
  sleep 0.3
  click_at "$host" 100 80
  sleep 0.7
  check "a key press and a click do not end the preview" still_running "$pid"
  wait_exit "$pid" 20
  code=$EXIT_CODE
  check "the preview ends with exit code 0 when the host closes (got $code)" test "$code" = 0
else
  check "the preview host window appears" false
fi
reg_delete "$KEY"
finish
