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
# One win64 prefix runs both builds: /usr/bin/wine picks the 32- or 64-bit
# loader from the program's header.
WINE=/usr/bin/wine
WINE32_LOADER=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver64
# Bumped whenever wine_ensure_prefix sets the prefix up differently, so an
# older prefix is made again rather than silently kept.
WINE_PREFIX_VERSION=2

# Without the 32-bit loader wine64 cannot start a 32-bit program, prints a
# loader error and still exits 0: a false pass, so say so loudly instead.
wine_check_loaders() {
  [ -x "$WINE32_LOADER" ] && return 0
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
