# Sourced by the end-to-end scripts: real programs under wine on the rig's
# Xvfb display, driven with xdotool, seen through screenshots.
#
#   start_program VAR PROGRAM ARGS...   start under wine in the background; VAR gets the pid
#   wait_window NAME [SECONDS]          print the X window id of the window titled exactly NAME
#   press WINDOW KEY                    focus WINDOW and press KEY (xdotool key names)
#   click_at WINDOW X Y                 left click at X, Y of WINDOW
#   move_mouse WINDOW X Y               move the pointer over WINDOW
#   wait_exit PID [SECONDS]             wait for the program; sets EXIT_CODE to its exit code, "timeout",
#                                       or "N, crashed: ..." when wine reported a crash
#   still_running PID                   true while the program runs
#   shot FILE                           screenshot of the whole screen
#   pixel FILE X Y                      the colour at X, Y as "srgb(r,g,b)"
#   count_colour FILE COLOUR            how many pixels of FILE have COLOUR (e.g. white, "#000000")
#   lit_count FILE                      how many pixels of FILE are not black
#   preview_client HOST SHOT OUT        crop the preview host's 152 x 112 client area from SHOT into OUT
#   reg_value KEY NAME                  the data of a registry value as reg query prints it, or nothing
#   reg_dword KEY NAME NUMBER           store a REG_DWORD value (the key is created)
#   reg_text KEY NAME TEXT              store a REG_SZ value (the key is created)
#   reg_key_missing KEY                 true when the key does not exist
#   reg_delete KEY                      delete a registry key with its sub-keys
#   check DESCRIPTION COMMAND...        count a check; the command's success is the verdict
#   finish                              print "N passed, N failed" and exit with the verdict
set -u
. "$ZAMVEL_TOOLS/wine-env.sh"
BIN=${ZAMVEL_BIN:?}
# The preset's programs are 32-bit ones on a kernel that runs none: skipped.
wine_skip_unless_runs "$BIN"/*.scr
wine_ensure_server
WORK=$(mktemp -d)
. "$(dirname "${BASH_SOURCE[0]}")/../common/checks.sh"
STARTED=()

_cleanup() {
  local p
  for p in "${STARTED[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$WORK"
}
trap _cleanup EXIT

# Each program's output goes to a file of its own. Wine swallows a crash in
# a window procedure and the program may still end with 0: its err+seh
# channel says so, and wait_exit reads it.
declare -A PROGRAM_LOG=()
start_program() {
  local var=$1 log
  shift
  log=$(mktemp "$WORK/program.XXXXXX")
  WINEDEBUG=-all,err+seh "$WINE" "$@" </dev/null >"$log" 2>&1 &
  STARTED+=("$!")
  PROGRAM_LOG[$!]=$log
  printf -v "$var" '%s' "$!"
}

wait_window() {
  local name=$1 seconds=${2:-20} i id
  for i in $(seq $((seconds * 10))); do
    id=$(xdotool search --name "^${name}\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.2
  xdotool key "$2"
}

click_at() {
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.1
  xdotool click 1
}

move_mouse() {
  xdotool mousemove --window "$1" "$2" "$3"
  sleep 0.1
  xdotool mousemove --window "$1" $(($2 + 40)) $(($3 + 30))
}

still_running() { kill -0 "$1" 2>/dev/null; }

# Not in a subshell: only this shell can wait for its children. An exit
# code of 0 after a crash report is no success: EXIT_CODE says "crashed".
EXIT_CODE=""
wait_exit() {
  local p=$1 seconds=${2:-20} i
  EXIT_CODE=timeout
  for i in $(seq $((seconds * 10))); do
    if ! still_running "$p"; then
      wait "$p"
      EXIT_CODE=$?
      if grep -qE 'err:seh|Unhandled exception|Backtrace:' "${PROGRAM_LOG[$p]:-/dev/null}"; then
        EXIT_CODE="$EXIT_CODE, crashed: $(grep -m1 -E 'err:seh|Unhandled exception' "${PROGRAM_LOG[$p]}")"
      fi
      return 0
    fi
    sleep 0.1
  done
}

shot() { import -display "$DISPLAY" -window root "$1"; }

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# Exact matches: the difference from a plain picture of COLOUR is zero.
count_colour() {
  convert "$1" \( +clone -fill "$2" -colorize 100 \) -compose difference -composite \
    -colorspace gray -threshold 0 -negate -format '%[fx:round(mean*w*h)]' info:
}

lit_count() { echo $(($(identify -format '%[fx:w*h]' "$1") - $(count_colour "$1" black))); }

# The host's client area sits at the bottom right of its window, below the
# caption.
preview_client() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  convert "$2" -crop "152x112+$((X + WIDTH - 152))+$((Y + HEIGHT - 112))" +repage "$3"
}

reg_value() {
  "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

reg_dword() { "$WINE" reg add "$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null 2>&1; }

reg_text() { "$WINE" reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1; }

reg_key_missing() { ! "$WINE" reg query "$1" >/dev/null 2>&1; }

reg_delete() { "$WINE" reg delete "$1" /f >/dev/null 2>&1; true; }
