#!/usr/bin/env bash
# The Orbel preview as the display settings show it: the saver runs inside a
# 152 x 112 host window, its squares scaled down with the whole screen, on
# black; a key press ends it with exit code 0.
. "$(dirname "$0")/lib.sh"
reg_delete 'HKCU\Software\Zamvel\Orbel'

start_program pid "$BIN/Orbel-preview.exe"
host=$(wait_window Preview) || { check "the preview host window appears" false; finish; exit 1; }
sleep 1.5
shot "$WORK/preview.png"
preview_client "$host" "$WORK/preview.png" "$WORK/client.png"
white=$(count_colour "$WORK/client.png" white)
black=$(count_colour "$WORK/client.png" black)
check "scaled squares show in the preview ($white white pixels)" test "$white" -ge 150
check "on black ($black black pixels)" test "$black" -ge 12000
# Points sit in the middle 80 %: nothing lit in the outer columns.
convert "$WORK/client.png" -crop 10x112+0+0 +repage "$WORK/edge.png"
edge=$(count_colour "$WORK/edge.png" white)
check "no square near the left edge ($edge)" test "$edge" -eq 0

press "$host" space
wait_exit "$pid" 15
code=$EXIT_CODE
check "a key press ends the preview with exit code 0 (got $code)" test "$code" = 0
finish
