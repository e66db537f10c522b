#!/usr/bin/env bash
# The real Glyra2.scr under wine on the rig's display, with no settings:
#   /s under the Japanese code page: the six built-in strings fly in colour
#      on black, the Japanese ones in Japanese glyphs (the still is kept as
#      glyra2-japanese.png beside the programs); mouse movement does not end
#      it, a key press does, with exit code 0;
#   /s under the default code page: strings on black; a left click ends it
#      with exit code 0;
#   the preview (Glyra2-preview.exe, in-process host): strings show scaled
#      into the 152 x 112 window, a key press is ignored, and the program
#      ends with exit code 0 when the host destroys its window;
#   /c: the shared "Setting" dialog; Esc ends it with exit code 0 and
#      nothing stored.
. "$(dirname "$0")/../e2e/lib.sh"
KEY='HKCU\Software\Zamvel\Glyra2'
SCR="$BIN/Glyra2.scr"

# Pixels whose saturation is above a fifth: coloured, not grey.
coloured_pixels() {
  convert "$1" -colorspace HSL -channel G -separate +channel -threshold 20% \
    -format '%[fx:round(mean*w*h)]' info:
}

# --- full screen, Japanese code page ----------------------------------------
reg_delete "$KEY"
LC_ALL=ja_JP.UTF-8 start_program pid "$SCR" /s
if win=$(wait_window Glyra2); then
  # The strings start far away and small: on a slow machine they take a
  # while to come near enough to count.
  sleep 3
  for i in $(seq 10); do
    shot "$WORK/run.png"
    lit=$(lit_count "$WORK/run.png")
    coloured=$(coloured_pixels "$WORK/run.png")
    [ "$lit" -ge 1500 ] && [ "$coloured" -ge 500 ] && break
    sleep 1
  done
  cp "$WORK/run.png" "$BIN/glyra2-japanese.png"
  colours=$(convert "$WORK/run.png" -format %k info:)
  check "strings are drawn ($lit lit pixels)" test "$lit" -ge 1500
  check "on black (at most a tenth lit)" test "$lit" -le $((1024 * 768 / 10))
  check "in colour ($coloured coloured pixels)" test "$coloured" -ge 500
  check "in several colours ($colours in the picture)" test "$colours" -ge 7
  check "a first start writes nothing to the registry" reg_key_missing "$KEY"
  move_mouse "$win" 300 300
  sleep 1
  check "mouse movement does not end it" still_running "$pid"
  press "$win" space
  wait_exit "$pid" 20
  check "a key press ends it with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
else
  check "Glyra2 /s shows its window" false
fi

# --- full screen, default code page -------------------------------------------
start_program pid "$SCR" /s
if win=$(wait_window Glyra2); then
  sleep 2
  shot "$WORK/latin.png"
  lit=$(lit_count "$WORK/latin.png")
  check "strings are drawn under the default code page too ($lit lit pixels)" test "$lit" -ge 1000
  click_at "$win" 400 300
  wait_exit "$pid" 20
  check "a left click ends it with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
else
  check "Glyra2 /s shows its window (default code page)" false
fi

# --- preview ------------------------------------------------------------------
start_program pid "$BIN/Glyra2-preview.exe" 6
if host=$(wait_window Preview); then
  sleep 2
  shot "$WORK/preview.png"
  preview_client "$host" "$WORK/preview.png" "$WORK/client.png"
  lit=$(lit_count "$WORK/client.png")
  check "the strings show scaled into the preview ($lit lit pixels)" test "$lit" -ge 5
  press "$host" space
  sleep 1.5
  check "a key press does not end the preview" still_running "$pid"
  wait_exit "$pid" 20
  check "the program ends with exit code 0 when the host goes (got $EXIT_CODE)" test "$EXIT_CODE" = 0
else
  check "the preview host window appears" false
fi
# --- the settings dialog ---------------------------------------------------------
start_program pid "$SCR" /c
if dlg=$(wait_window Setting); then
  press "$dlg" Escape
  wait_exit "$pid" 20
  check "/c shows the Setting dialog; Esc ends it with exit code 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
  check "Cancel stores nothing" reg_key_missing "$KEY"
else
  check "Glyra2 /c shows the Setting dialog" false
fi
reg_delete "$KEY"
finish
