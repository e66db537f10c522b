# Sourced: the wine environment every script of the project uses.
# WINEPREFIX defaults to a prefix inside the build tree, never ~/.wine.
_zamvel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$_zamvel_root/build/wine/prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installers (no network here, and nothing needs them).
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Call the 64-bit loader directly: /usr/bin/wine may pick a 32-bit one.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

# Creates the prefix when it is missing (about 5 s).
wine_ensure_prefix() {
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  # Windows not handed to a window manager: there is none under Xvfb, and
  # wine would wait two seconds for one whenever a window goes away.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  "$WINESERVER" -w
}

# Starts a persistent wineserver for the prefix, detached from our output.
wine_ensure_server() {
  wine_ensure_prefix
  "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
}

wine_stop_server() {
  "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
  "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
}
