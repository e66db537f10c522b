#!/usr/bin/env bash
# The real Orbel.scr under wine on the rig's display:
#   /s  white dots on black; mouse movement does not end it, a key press or
#       a left click does, with exit code 0;
#   /c  the "Setting" dialog: OK with 0 is refused with a message and the
#       dialog stays, OK with 500 stores Count 500, Cancel stores nothing.
. "$(dirname "$0")/../e2e/lib.sh"
KEY='HKCU\Software\Zamvel\Orbel'
SCR="$BIN/Orbel.scr"

# --- full screen ------------------------------------------------------------
run_full_screen() {  # $1: how it is ended (key or click)
  reg_delete "$KEY"
  local pid win code
  start_program pid "$SCR" /s
  win=$(wait_window Orbel) || { check "Orbel /s shows its window ($1)" false; return; }
  sleep 1.5
  if [ "$1" = key ]; then
    shot "$WORK/run.png"
    local size white black
    size=$(identify -format '%w %h' "$WORK/run.png")
    white=$(count_colour "$WORK/run.png" white)
    black=$(count_colour "$WORK/run.png" black)
    # 300 points of one pixel each (some may share a pixel).
    check "white dots on the screen ($white)" test "$white" -ge 200 -a "$white" -le 300
    check "everything else is black" test $((white + black)) -eq $(( ${size% *} * ${size#* } ))
    # No seeding: the dots are exactly those of a replay of the run from the
    # generator's first state, at some tick.
    local tick
    tick=$(convert "$WORK/run.png" txt:- | python3 "$(dirname "$0")/orbel_layout.py")
    check "the dots are those of tick $tick of the one opening every run starts from" test "$tick" != none

    move_mouse "$win" 200 200
    sleep 1
    check "mouse movement does not end it" still_running "$pid"
    press "$win" Escape
  else
    click_at "$win" 300 300
  fi
  wait_exit "$pid" 20
  code=$EXIT_CODE
  check "a $1 ends it with exit code 0 (got $code)" test "$code" = 0
}

run_full_screen key
run_full_screen click

# --- the settings dialog ----------------------------------------------------
# Replaces the edit's text (the focus is in it when the dialog opens).
type_count() {
  xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  [ -n "$1" ] && xdotool type "$1"
  sleep 0.2
}

# focus_setting puts the focus back in the dialog; open_setting opens
# "Setting" on an empty key, focused, and sets pid and dlg.
focus_setting() {
  xdotool windowfocus --sync "$dlg" 2>/dev/null
  sleep 0.3
}
open_setting() {
  reg_delete "$KEY"
  start_program pid "$SCR" /c
  dlg=$(wait_window Setting) || return 1
  focus_setting
}

if open_setting; then
  type_count 0
  xdotool key Return
  box=$(wait_window Orbel 10)
  check "OK with 0 shows the message box" test -n "$box"
  check "the dialog stays open" test -n "$(xdotool search --name '^Setting$' 2>/dev/null)"
  [ -n "$box" ] && press "$box" Return
  sleep 0.5
  check "the message box is gone after its OK" bash -c "! xdotool search --name '^Orbel$' >/dev/null 2>&1"
  check "nothing stored after the refusal" test -z "$(reg_value "$KEY" Count)"
  focus_setting
  type_count 500
  xdotool key Return
  wait_exit "$pid" 20
  code=$EXIT_CODE
  check "OK with 500 ends the program with exit code 0 (got $code)" test "$code" = 0
  check "Count 500 is stored" test "$(reg_value "$KEY" Count)" = 0x1f4
else
  check "Orbel /c opens the Setting dialog" false
fi

if open_setting; then
  type_count 500
  press "$dlg" Escape
  wait_exit "$pid" 20
  code=$EXIT_CODE
  check "Cancel ends the program with exit code 0 (got $code)" test "$code" = 0
  check "Cancel stores nothing" reg_key_missing "$KEY"
else
  check "Orbel /c opens the Setting dialog again" false
fi
finish
