# Sourced: the wine environment every script of the project uses.
# WINEPREFIX defaults to a prefix inside the build tree, never ~/.wine.
_zamvel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# A test that asks for two monitors runs on the rig's two-monitor display,
# in the prefix that sees them.
if [ "${ZAMVEL_MONITORS:-1}" = 2 ] && [ -n "${ZAMVEL_TWO_MONITORS_DISPLAY:-}" ]; then
  export DISPLAY=$ZAMVEL_TWO_MONITORS_DISPLAY WINEPREFIX=$ZAMVEL_TWO_MONITORS_PREFIX
fi
export WINEPREFIX=${WINEPREFIX:-$_zamvel_root/build/wine/prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installers (no network here, and nothing needs them).
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
# Wine draws the caption buttons (close, minimise, maximise) as glyphs of the
# Marlett face. fonts-wine puts marlett.ttf here, but Debian's wine never
# looks in that folder (its win32u asks for "<data dir>\../fonts", a name the
# NT path lookup rejects), so each prefix gets a copy in its own Fonts folder;
# without one, every close button shows the letter "r".
WINE_MARLETT=/usr/share/wine/fonts/marlett.ttf
# Bumped whenever wine_ensure_prefix sets the prefix up differently, so an
# older prefix is made again rather than silently kept.
WINE_PREFIX_VERSION=3
# The reason given wherever a 32-bit program cannot be run here.
WIN32_SKIP_REASON="this kernel runs no 32-bit programs"

# Whether this kernel executes 32-bit programs: some of our machines do not,
# although wine32:i386 installs there. Asked once, by running the 32-bit
# loader, and handed on in ZAMVEL_WIN32_RUNS (yes or no); ZAMVEL_NO_32BIT=1
# takes the no-32-bit path on any machine.
if [ -z "${ZAMVEL_WIN32_RUNS:-}" ]; then
  if [ -n "${ZAMVEL_NO_32BIT:-}" ]; then
    ZAMVEL_WIN32_RUNS=no
  elif "$WINE32_LOADER" --version >/dev/null 2>&1; then
    ZAMVEL_WIN32_RUNS=yes
  else
    ZAMVEL_WIN32_RUNS=no
  fi
fi
export ZAMVEL_WIN32_RUNS
# One win64 prefix runs both builds. Where 32-bit programs run,
# /usr/bin/wine picks the 32- or 64-bit loader from the program's header;
# where they do not, that script still picks the 32-bit loader and every
# call fails, so the 64-bit loader is called directly.
if [ "$ZAMVEL_WIN32_RUNS" = yes ]; then
  WINE=/usr/bin/wine
else
  WINE=$WINE64_LOADER
  export WINELOADER=$WINE64_LOADER
fi

# True when FILE is a 32-bit Windows program (a PE file for i386).
wine_is_32bit() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$pe" ] && [ "$(od -An -tx2 -j$((pe + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')" = 014c ]
}

# wine_skip_unless_runs FILE...: ends the calling script with 77 (ctest's
# SKIP_RETURN_CODE of every Windows test) when one of the programs is a
# 32-bit one and this kernel runs none.
wine_skip_unless_runs() {
  local f
  [ "$ZAMVEL_WIN32_RUNS" = yes ] && return 0
  for f in "$@"; do
    if wine_is_32bit "$f"; then
      echo "SKIPPED: $WIN32_SKIP_REASON ($(basename "$f") is a 32-bit program)"
      exit 77
    fi
  done
}

# Without the 32-bit loader wine64 cannot start a 32-bit program, prints a
# loader error and still exits 0: a false pass, so say so loudly instead.
# Where the kernel runs no 32-bit programs, none is started at all.
wine_check_loaders() {
  [ "$ZAMVEL_WIN32_RUNS" = no ] || [ -x "$WINE32_LOADER" ] && return 0
  echo "wine-env: $WINE32_LOADER is missing: install wine32:i386 (./dev test does)" >&2
  return 1
}

# What every prefix of the project holds besides wine's own setup:
# - windows not handed to a window manager: there is none under Xvfb, and
#   wine would wait two seconds for one whenever a window goes away;
# - no crash dialog: a crash ends the program with an error code and a
#   backtrace on stderr instead of a window nobody closes;
# - the Japanese faces the programs ask for, mapped to the metric-compatible
#   IPA faces, so dialog labels and strings take their designed widths.
_wine_prefix_settings() {
  local reg
  reg=$(mktemp --suffix=.reg)
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' \
    '"ＭＳ Ｐ明朝"="IPAPMincho"' '"ＭＳ 明朝"="IPAMincho"' '' | iconv -f UTF-8 -t UTF-16 >"$reg"
  "$WINE" regedit /s "Z:${reg//\//\\}" </dev/null >/dev/null 2>&1
  local rc=$?
  rm -f "$reg"
  return $rc
}

# Creates the prefix when it is missing or older than this setup (about 10 s).
wine_ensure_prefix() {
  [ "$(cat "$WINEPREFIX/.zamvel-version" 2>/dev/null)" = "$WINE_PREFIX_VERSION" ] && return 0
  wine_check_loaders || return 1
  "$WINESERVER" -k </dev/null >/dev/null 2>&1
  # Only the project's own prefixes are made afresh; any other is set up in place.
  case "$WINEPREFIX" in "$_zamvel_root"/build/*) rm -rf "$WINEPREFIX" ;; esac
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  cp "$WINE_MARLETT" "$WINEPREFIX/drive_c/windows/Fonts/" ||
    { echo "wine-env: $WINE_MARLETT is missing: install fonts-wine (./dev test does)" >&2; return 1; }
  _wine_prefix_settings || { echo "wine-env: the prefix settings could not be imported" >&2; return 1; }
  "$WINESERVER" -w
  echo "$WINE_PREFIX_VERSION" >"$WINEPREFIX/.zamvel-version"
}

# Starts a persistent wineserver for the prefix, detached from our output.
wine_ensure_server() {
  wine_ensure_prefix || return 1
  "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
}

wine_stop_server() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
}
