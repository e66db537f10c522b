# Sourced by ./dev: installing, building, and the test rig (a private Xvfb
# and a throwaway wine prefix, both started and stopped by process id).

# wine32:i386 runs the shipped 32-bit programs; it needs the i386 architecture.
PACKAGES="cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386
  googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick fonts-ipafont-gothic
  fonts-ipafont-mincho fonts-wine x11-xserver-utils x11-utils file binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  procps python3 locales"
# ./dev release and its test: MSIs (wixl, msibuild), the zip, fixed dates, signing.
PACKAGES="$PACKAGES msitools wixl zip unzip faketime osslsigncode openssl"
# The fuzz preset: clang with libFuzzer and the sanitizers' runtimes, and
# llvm-symbolizer for the stacks in their reports.
PACKAGES="$PACKAGES clang-14 libclang-rt-14-dev llvm-14"
# The native Linux programs: Xlib and Xft to build against, and for their
# tests the xscreensaver daemon and xwd for its screens' pictures.
PACKAGES="$PACKAGES libx11-dev libxft-dev xscreensaver x11-apps"
SAVERS="glyra2 glyra orbel worms"
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}

say() { printf '== %s\n' "$*"; }

rig_install() {
  rig_install_packages || return 1
  # Whether this kernel runs 32-bit programs, asked once (after wine is
  # installed) for everything the rig starts.
  ZAMVEL_WIN32_RUNS=$(unset ZAMVEL_WIN32_RUNS; . "$ROOT/tools/wine-env.sh"; echo "$ZAMVEL_WIN32_RUNS")
  export ZAMVEL_WIN32_RUNS
}

rig_install_packages() {
  local missing=()
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386 || return 1
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
    >/dev/null || return 1
}

rig_build() {
  local preset
  for preset in $*; do
    say "build $preset"
    cmake --preset "$preset" >/dev/null || { cmake --preset "$preset"; return 1; }
    cmake --build --preset "$preset" || return 1
  done
}

# --- the private X servers ---------------------------------------------------
# Two displays: the usual one, a 1024 x 768 screen, and one with two
# monitors for the tests that ask for them (ZAMVEL_MONITORS=2): a 1024 x 768
# primary and an 800 x 600 monitor left of it, at negative coordinates.
XVFB_PIDS=()
free_display() {
  local n
  for n in $(seq 90 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || { echo "$n"; return 0; }
  done
  return 1
}

# start_xvfb VAR ARGS...: a new Xvfb on a free display; VAR gets ":N".
start_xvfb() {
  local var=$1 n pid i
  shift
  n=$(free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -nolisten tcp "$@" >/dev/null 2>&1 &
  pid=$!
  XVFB_PIDS+=("$pid")
  for i in $(seq 100); do
    [ -e /tmp/.X11-unix/X$n ] && break
    kill -0 "$pid" 2>/dev/null || { echo "Xvfb failed to start" >&2; return 1; }
    sleep 0.05
  done
  printf -v "$var" ':%s' "$n"
}

rig_start_xvfb() {
  local one two
  start_xvfb one -screen 0 1024x768x24 || return 1
  export DISPLAY=$one
  # -noreset keeps the monitors when the last client goes.
  start_xvfb two -noreset -screen 0 1824x768x24 || return 1
  DISPLAY=$two xrandr --setmonitor '*A' 1024/270x768/203+800+0 screen >/dev/null &&
    DISPLAY=$two xrandr --setmonitor B 800/211x600/158+0+0 none >/dev/null ||
    { echo "the two monitors could not be set up" >&2; return 1; }
  export ZAMVEL_TWO_MONITORS_DISPLAY=$two
}

rig_stop_xvfb() {
  local pid
  for pid in "${XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${XVFB_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
  XVFB_PIDS=()
}

# --- wine -------------------------------------------------------------------
# A template prefix is made once; each test run works on hard-linked copies
# whose registry files are real copies, thrown away afterwards: one for each
# display. Wine reads the monitors through Xinerama on the second, and reads
# them when its server starts.
THROWAWAY_PREFIXES=()
copy_prefix() {  # VAR: a throwaway copy of the template
  local var=$1 template="$ROOT/build/wine/template" dir f
  dir=$(mktemp -d "$ROOT/build/wine/run.XXXXXX")
  rmdir "$dir"
  cp -al "$template" "$dir"
  for f in "$dir"/*.reg; do cp --remove-destination "$template/$(basename "$f")" "$f"; done
  THROWAWAY_PREFIXES+=("$dir")
  printf -v "$var" '%s' "$dir"
}

rig_start_wine() {
  local template="$ROOT/build/wine/template" one two
  ( WINEPREFIX=$template; . "$ROOT/tools/wine-env.sh"; wine_ensure_prefix && wine_stop_server ) || return 1
  copy_prefix two
  ( export WINEPREFIX=$two DISPLAY=$ZAMVEL_TWO_MONITORS_DISPLAY; . "$ROOT/tools/wine-env.sh"
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f </dev/null >/dev/null 2>&1
    wine_stop_server ) || return 1
  export ZAMVEL_TWO_MONITORS_PREFIX=$two
  copy_prefix one
  export WINEPREFIX=$one
  . "$ROOT/tools/wine-env.sh"
  wine_ensure_server
}

rig_stop_wine() {
  local p
  for p in "${THROWAWAY_PREFIXES[@]}"; do
    ( export WINEPREFIX=$p; . "$ROOT/tools/wine-env.sh"; wine_stop_server )
    rm -rf "$p"
  done
  THROWAWAY_PREFIXES=()
}

rig_up() {
  mkdir -p "$ROOT/build/wine"
  trap 'rig_down' EXIT INT TERM
  rig_start_xvfb || return 1
  rig_start_wine || return 1
}

rig_down() {
  rig_stop_wine
  rig_stop_xvfb
}

# --- commands -------------------------------------------------------------
rig_ctest() {
  local preset=${1:-win64}
  [ $# -gt 0 ] && shift
  rig_up || return 1
  ctest --preset "$preset" "$@"
}

# One line on the machine's kind, at the start of ./dev test and again at
# its end, where 32-bit programs cannot run here; with the log of the run,
# it counts the tests ctest skipped (the only reason a test skips).
rig_note_32bit() {
  [ "$ZAMVEL_WIN32_RUNS" = yes ] && return 0
  local how=""
  [ -n "${ZAMVEL_NO_32BIT:-}" ] && how=" (ZAMVEL_NO_32BIT is set)"
  if [ $# -eq 0 ]; then
    say "note: $WIN32_SKIP_REASON$how: the tests that must run one are skipped"
  else
    say "note: $WIN32_SKIP_REASON$how: $(cat "$@" | grep -c '\*\*\*Skipped') tests skipped for that reason"
  fi
}

rig_test() {
  . "$ROOT/tools/wine-env.sh"
  rig_note_32bit
  rig_build native fuzz linux web win32 win64 || return 1
  rig_up || return 1
  local rc=0 log
  log=$(mktemp -d)
  say "fuzz targets, each for a bounded time from its seeds"
  ctest --preset fuzz || rc=1
  say "native tests"
  ctest --preset native || rc=1
  say "linux: the native X11 programs on private Xvfbs and under the xscreensaver daemon"
  ctest --preset linux || rc=1
  web_test || rc=1
  # The two builds' Windows tests run at the same time, each on displays and
  # in prefixes of its own (they write the same keys and watch the screen);
  # they wait on wine and X far more than they compute. The 64-bit run's
  # output follows the 32-bit run's, whole.
  local pid64
  ( trap 'rig_down' EXIT
    XVFB_PIDS=() THROWAWAY_PREFIXES=()
    rig_start_xvfb && rig_start_wine && ctest --preset win64 ) >"$log/win64" 2>&1 &
  pid64=$!
  say "win32 (the shipped programs): tests under wine and end-to-end tests under Xvfb"
  ctest --preset win32 > >(tee "$log/win32") 2>&1 || rc=1
  wait "$pid64" || rc=1
  say "win64: tests under wine and end-to-end tests under Xvfb (run beside win32)"
  cat "$log/win64"
  rig_note_32bit "$log/win32" "$log/win64"
  rm -rf "$log"
  return $rc
}

# ./dev fuzz [TARGET] [SECONDS]: each fuzz target, or the one named (with
# or without its fuzz_ prefix), for SECONDS (300 by default). What a run
# finds stays in build/fuzz/corpus for the next run; a finding's input is
# written to build/fuzz/artifacts.
rig_fuzz() {
  local target="" seconds=300 a bin rc=0
  for a in "$@"; do
    case "$a" in
      *[!0-9]*) target=fuzz_${a#fuzz_} ;;
      *) seconds=$a ;;
    esac
  done
  rig_build fuzz || return 1
  local bins=("$ROOT"/build/fuzz/bin/fuzz_*)
  if [ -n "$target" ]; then
    [ -x "$ROOT/build/fuzz/bin/$target" ] || {
      echo "usage: ./dev fuzz [$(basename -a "${bins[@]}" | sed 's/^fuzz_//' | paste -sd'|')] [SECONDS]" >&2
      return 2
    }
    bins=("$ROOT/build/fuzz/bin/$target")
  fi
  for bin in "${bins[@]}"; do
    say "$(basename "$bin") for $seconds s"
    bash "$ROOT/tests/fuzz/run_fuzz.sh" "$bin" "$seconds" || rc=1
  done
  return $rc
}

# ./dev soak [TICKS]: the runs of tests/harness/soak.txt, TICKS ticks each
# (100,000 by default), on both builds at once, each build in a prefix of
# its own (the runs write their program's key); then one table of what
# they measured, and each run's samples.
rig_soak() {
  local ticks=${1:-100000}
  case "$ticks" in ''|*[!0-9]*) echo "usage: ./dev soak [TICKS]" >&2; return 2 ;; esac
  rig_build win32 win64 || return 1
  rig_up || return 1
  local out b prefix pids=()
  out=$(mktemp -d)
  for b in win32 win64; do
    copy_prefix prefix
    say "soak $b: $ticks ticks a run (output in $out/$b.txt)"
    # A run that fails, or ends with 0 without its verdict line, fails the soak.
    ( export WINEPREFIX=$prefix ZAMVEL_EXPECT_LINE='^soak [A-Za-z0-9]+ \| .* \| flat$'
      rc=0
      while read -r program args; do
        "$ROOT/tools/wine-run" "$ROOT/build/$b/bench/$program.exe" --soak "$ticks" $args
        case $? in 0) ;; 77) rc=77 ;; *) echo "FAIL: $program $args"; rc=1 ;; esac
      done < <(sed 's/#.*//; /^\s*$/d' "$ROOT/tests/harness/soak.txt")
      exit $rc ) >"$out/$b.txt" 2>&1 &
    pids+=($!)
  done
  local rc=0 ran=() i=0
  for b in win32 win64; do
    wait "${pids[$i]}"
    case $? in
      77) say "soak: $WIN32_SKIP_REASON: the $b build's runs were skipped" ;;
      0) ran+=("$out/$b.txt") ;;
      *) ran+=("$out/$b.txt"); rc=1 ;;
    esac
    i=$((i + 1))
  done
  python3 "$ROOT/tools/soak_table.py" "${ran[@]}" || rc=1
  [ $rc -eq 0 ] || say "soak: FAILED (a run failed or grew; its lines are in $out)"
  return $rc
}

rig_bench() {
  rig_build bench win32 win64 || return 1
  rig_up || return 1
  python3 "$ROOT/tools/bench_table.py" "$ROOT/build"
  web_bench
}

# The Windows build to show: PRESET, unless it is the 32-bit one and this
# kernel runs no 32-bit programs; then the 64-bit one, said in one line.
rig_windows_preset() {
  if [ "$1" = win32 ] && [ "$ZAMVEL_WIN32_RUNS" != yes ]; then
    say "this kernel runs no 32-bit programs: showing the 64-bit build instead" >&2
    echo win64
  else
    echo "$1"
  fi
}

# ./dev run NAME [/s|/p|/c] [--64] [--locale=L]: the shipped 32-bit program,
# or the 64-bit build of it with --64, as on a Japanese system or under the
# locale L; with --x11 the native Linux program.
rig_run() {
  # A Japanese system, as the programs expect: code page 932 and the Japanese
  # dialogs. --locale=en_US.UTF-8 is an English one (code page 1252, the
  # English dialogs); wine takes both from LC_ALL, set for the programs only
  # (the shell itself may have no such locale).
  local name="" mode=/s preset=win32 a locale=ja_JP.UTF-8
  for a in "$@"; do
    case "$a" in
      --64) preset=win64 ;;
      --locale=?*) locale=${a#--locale=} ;;
      --x11) preset=linux ;;
      --web) preset=web ;;
      /s|/p|/c) mode=$a ;;
      *) [ -z "$name" ] && name=$a || name="?" ;;
    esac
  done
  case " $SAVERS " in *" $name "*) ;; *)
    echo "usage: ./dev run {${SAVERS// /|}} [/s|/p|/c] [--64|--x11|--web] [--locale=L]" >&2; return 2;; esac
  [ "$preset" = linux ] && { rig_run_x11 "$name"; return; }
  [ "$preset" = web ] && { web_run "$name"; return; }
  preset=$(rig_windows_preset "$preset") || return 1
  local program
  program=$(sed -n "s/^$name=//p" <<<"glyra2=Glyra2
glyra=Glyra
orbel=Orbel
worms=Worms")
  rig_build "$preset" || return 1
  local bin="$ROOT/build/$preset/bin"
  [ -f "$bin/$program.scr" ] || { echo "$program.scr is not built yet" >&2; return 1; }
  local cmdline=("$bin/$program.scr" "$mode")
  [ "$mode" = "/p" ] && cmdline=("$bin/$program-preview.exe")

  if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    # On the user's own display, with a prefix kept between runs so that
    # settings made with /c are there for /s.
    export WINEPREFIX="$ROOT/build/wine/prefix"
    . "$ROOT/tools/wine-env.sh"
    wine_ensure_server || return 1
    say "running $program ${mode} ($preset) on $DISPLAY (a key press or click ends /s)"
    env LC_ALL="$locale" "$WINE" "${cmdline[@]}"
    return
  fi
  rig_up || return 1
  mkdir -p "$ROOT/out"
  # Headless, the preview host closes itself once the recording is done.
  [ "$mode" = "/p" ] && cmdline+=(12)
  RECORD_LOCALE=$locale PICTURE="$ROOT/build/$preset/tests/worms_picture.exe" bash "$ROOT/tools/record.sh" "$name" \
    "${cmdline[@]}"
}

# ./dev run NAME --x11: the native program in a window of its own on the
# user's display (a key press or a click ends it); without a display it is
# recorded on the rig's Xvfb as the Windows program is.
rig_run_x11() {
  local name=$1 program
  rig_build linux || return 1
  program="$ROOT/build/linux/bin/zamvel-$name"
  if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    say "running zamvel-$name on $DISPLAY (a key press or click ends it)"
    "$program"
    return
  fi
  mkdir -p "$ROOT/build/wine"
  trap 'rig_down' EXIT INT TERM
  rig_start_xvfb || return 1
  mkdir -p "$ROOT/out"
  RECORD_NATIVE=1 bash "$ROOT/tools/record.sh" "$name" "$program"
}

# ./dev gallery: the README's pictures, recorded as ./dev run records them:
# each saver's animation (docs/NAME.gif) and its settings dialog
# (docs/NAME-settings.png), the shipped 32-bit programs on a Japanese system;
# and one dialog as on an English system (docs/NAME-settings-en.png).
GALLERY_LIMIT=300000
GALLERY_ENGLISH=worms
rig_gallery() {
  local preset
  preset=$(rig_windows_preset win32)
  rig_build "$preset" || return 1
  rig_up || return 1
  local name program bin="$ROOT/build/$preset/bin" tmp rc=0 f
  tmp=$(mktemp -d)
  for name in $SAVERS; do
    program=$(sed -n "s/^$name=//p" <<<"glyra2=Glyra2
glyra=Glyra
orbel=Orbel
worms=Worms")
    PICTURE="$ROOT/build/$preset/tests/worms_picture.exe" \
    RECORD_LOCALE=ja_JP.UTF-8 RECORD_DIR=$tmp RECORD_GIF="512x384 32" bash "$ROOT/tools/record.sh" "$name" \
      "$bin/$program.scr" /s >/dev/null && cp "$tmp/$name.gif" "$ROOT/docs/$name.gif" || rc=1
    RECORD_LOCALE=ja_JP.UTF-8 RECORD_DIR=$tmp bash "$ROOT/tools/record.sh" "$name" "$bin/$program.scr" /c \
      >/dev/null && cp "$tmp/$name.png" "$ROOT/docs/$name-settings.png" || rc=1
    [ "$name" = "$GALLERY_ENGLISH" ] && { RECORD_LOCALE=en_US.UTF-8 RECORD_DIR=$tmp bash "$ROOT/tools/record.sh" \
      "$name" "$bin/$program.scr" /c >/dev/null && cp "$tmp/$name.png" "$ROOT/docs/$name-settings-en.png" || rc=1; }
    for f in "$ROOT/docs/$name"{.gif,-settings.png,-settings-en.png}; do
      [ -f "$f" ] || continue
      echo "$f: $(stat -c %s "$f") bytes"
      [ "$(stat -c %s "$f")" -le $GALLERY_LIMIT ] || { echo "  over $GALLERY_LIMIT bytes" >&2; rc=1; }
    done
  done
  rm -rf "$tmp"
  return $rc
}

# The web page's part of the rig: its packages, run, test, bench, release.
. "$ROOT/tools/web.sh"
