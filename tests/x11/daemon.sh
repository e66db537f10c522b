#!/usr/bin/env bash
# The programs under the real xscreensaver daemon, headless: an Xvfb with
# two X screens (800 x 600 and 640 x 480, desktops of two colours, kept by
# -noreset while no client is connected), the
# programs installed (cmake --install) into a staging folder that is put
# first on the daemon's PATH, the daemon run as an unprivileged user (it
# will not start hacks as root), and for each saver selected in turn a
# picture of each screen showing it; then -deactivate ends the hacks (with
# SIGTERM) and the desktops show again. Then zamvel-savers-register, as a
# user runs it: the savers it adds run when selected by their place in the
# list, and --remove takes them out again.
set -u
BUILD=${ZAMVEL_BUILD:?}
WORK=$(mktemp -d)
chmod 755 "$WORK"
PASSED=0 FAILED=0
PIDS=()
trap 'for p in "${PIDS[@]}"; do kill $p 2>/dev/null; done; for p in "${PIDS[@]}"; do wait $p 2>/dev/null; done; rm -rf "$WORK"' EXIT
check() {
  local what=$1
  shift
  if "$@"; then PASSED=$((PASSED + 1)); echo "ok: $what"; else FAILED=$((FAILED + 1)); echo "FAIL: $what"; fi
}
finish() { echo "$PASSED passed, $FAILED failed"; [ "$FAILED" -eq 0 ]; exit $?; }

n=""
for d in $(seq 300 399); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || { n=$d; break; }; done
Xvfb ":$n" -nolisten tcp -noreset -screen 0 800x600x24 -screen 1 640x480x24 >/dev/null 2>&1 &
PIDS+=($!)
for i in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.05; done
DISPLAY=:$n.0 xsetroot -solid '#3060a0'
DISPLAY=:$n.1 xsetroot -solid '#d0c080'

# Installed as a package installs them, into a folder the user can read.
cmake --install "$BUILD" --prefix "$WORK/usr" >/dev/null || { check "the programs install" false; finish; }
libexec="$WORK/usr/libexec/xscreensaver"
check "cmake --install puts the programs in libexec/xscreensaver" \
  test -x "$libexec/zamvel-orbel" -a -x "$libexec/zamvel-worms" -a -x "$libexec/zamvel-glyra2" -a -x "$libexec/zamvel-glyra"
check "and their descriptions in share/xscreensaver/config" test -f "$WORK/usr/share/xscreensaver/config/zamvel-worms.xml"
chmod -R a+rX "$WORK/usr"

home="$WORK/home"
mkdir "$home"
cat >"$WORK/settings" <<'X'
mode:		one
selected:	0
timeout:	1:00:00
lock:		False
fade:		False
unfade:		False
splash:		False
grabDesktopImages:	False
X
# The fifth entry is refused (exit code 2): it shows that the daemon's log
# is read right.
cat "$WORK/settings" - >"$home/.xscreensaver" <<'X'
programs:								      \
		"Orbel"	zamvel-orbel --root				    \n\
		"Worms"	zamvel-worms --root --trail none		    \n\
		"Glyra2"	zamvel-glyra2 --root --font-size 64		    \n\
		"Glyra"	zamvel-glyra --root				    \n\
		"Refused"	zamvel-orbel --root --count many		    \n
X
chown -R 65534:65534 "$home"
as_user() { setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$home" DISPLAY=:$n PATH="$libexec:$PATH" "$@"; }
as_user xscreensaver --no-splash --verbose >"$WORK/daemon.log" 2>&1 &
PIDS+=($!)
for i in $(seq 100); do as_user xscreensaver-command -version >/dev/null 2>&1 && break; sleep 0.1; done

shot() { xwd -display ":$n.$1" -root -silent | convert xwd:- "$2"; }
count_colour() {
  convert "$1" \( +clone -fill "$2" -colorize 100 \) -compose difference -composite \
    -colorspace gray -threshold 0 -negate -format '%[fx:round(mean*w*h)]' info:
}
hacks() { pgrep -u 65534 -x "$1" | wc -l; }

# Each saver selected by its place in the list (counted from 1): one hack
# per screen, and each screen showing it.
k=1
for name in orbel worms glyra2 glyra; do
  as_user xscreensaver-command -select $k >/dev/null 2>&1
  for i in $(seq 100); do [ "$(hacks zamvel-$name)" = 2 ] && break; sleep 0.1; done
  check "-select $k: zamvel-$name runs on each of the two screens" test "$(hacks zamvel-$name)" = 2
  for screen in 0 1; do
    desk='#3060a0'
    [ $screen = 1 ] && desk='#d0c080'
    seen=no
    for i in $(seq 50); do
      sleep 0.2
      shot $screen "$WORK/s.png"
      black=$(count_colour "$WORK/s.png" black)
      kept=$(count_colour "$WORK/s.png" "$desk")
      total=$(identify -format '%[fx:w*h]' "$WORK/s.png")
      case $name in
        # Worms crawls over the desktop as it was: most of it stays (without
        # a trail, however slow the pictures come).
        worms) [ "$kept" -gt $((total / 2)) ] && [ $((total - kept)) -gt 2000 ] && { seen=yes; break; } ;;
        # The others draw on black.
        *) [ "$kept" = 0 ] && [ "$black" -lt "$total" ] && [ "$black" -gt $((total / 2)) ] && { seen=yes; break; } ;;
      esac
    done
    cp "$WORK/s.png" "$WORK/$name-$screen.png"
    check "screen $screen shows zamvel-$name ($black black, $kept of the desktop's colour, of $total)" test $seen = yes
  done
  k=$((k + 1))
done

as_user xscreensaver-command -deactivate >/dev/null 2>&1
for i in $(seq 100); do [ "$(hacks zamvel-glyra)" = 0 ] && break; sleep 0.1; done
check "-deactivate ends the hacks" test "$(hacks zamvel-glyra)" = 0
shot 0 "$WORK/after.png"
check "and the desktop shows again" test "$(count_colour "$WORK/after.png" '#3060a0')" = 480000
# A hack that ends after its SIGTERM is logged with its exit status:
# every one must have been 0, and none may have died of a signal ("child
# pid N (zamvel-orbel) exited abnormally with status 2", "... terminated with SIGSEGV").
failed_hacks() { grep -E '\(zamvel-[a-z0-9]+\) .*(status -?[1-9]|SIG[A-Z]+)' "$WORK/daemon.log"; }
check "every hack ended with status 0 ($(grep -c 'zamvel-.*status 0' "$WORK/daemon.log") logged)" \
  eval '! failed_hacks >/dev/null'
# "PID COMMAND" of each hack the daemon started on screen 0, and of the one
# it starts for the entry at place $1.
launched() { sed -n 's/.* 0: forked "\([^"]*\)" in pid \([0-9]*\) on .*/\2 \1/p' "$WORK/daemon.log"; }
select_place() {
  local was i
  was=$(launched | wc -l)
  as_user xscreensaver-command -select "$1" >/dev/null 2>&1
  for i in $(seq 100); do [ "$(launched | wc -l)" -gt "$was" ] && break; sleep 0.1; done
  launched | tail -n +$((was + 1)) | tail -1
}
# The same grep finds the refused entry's 2 and an Orbel ended by SIGSEGV.
select_place 5 >/dev/null
for i in $(seq 100); do failed_hacks | grep -q 'status 2' && break; sleep 0.1; done
got=$(select_place 1)
kill -SEGV "${got%% *}"
for i in $(seq 100); do failed_hacks | grep -q SIGSEGV && break; sleep 0.1; done
check "and it finds a hack that ended with 2 and one that died of SIGSEGV" \
  eval 'failed_hacks | grep -q "status 2" && failed_hacks | grep -q SIGSEGV'
as_user xscreensaver-command -deactivate >/dev/null 2>&1

# --- zamvel-savers-register ---------------------------------------------------
# Settings without a programs list: the command writes xscreensaver's default
# list with the savers after it. Places count every entry, disabled ones too.
register() { as_user "$WORK/usr/bin/zamvel-savers-register" "$@"; }
listed() { grep -c 'zamvel-' "$home/.xscreensaver"; }
cp "$WORK/settings" "$home/.xscreensaver"
chown 65534:65534 "$home/.xscreensaver"
said=$(register)
rc=$?
check "zamvel-savers-register ends with 0 (got $rc) and adds the four: $said" test $rc = 0 -a "$(listed)" = 4
check "and keeps the settings that were there byte for byte" \
  cmp -s -n "$(stat -c %s "$WORK/settings")" "$WORK/settings" "$home/.xscreensaver"
cp "$home/.xscreensaver" "$WORK/registered"
register >/dev/null
check "run again, it changes nothing" cmp -s "$WORK/registered" "$home/.xscreensaver"
place=$(grep -o '\\n' "$home/.xscreensaver" | wc -l)
got=$(select_place "$place")
check "-select $place, Worms' place at the end of the list, starts \"${got#* }\"" test "${got#* }" = "zamvel-worms --root"
as_user xscreensaver-command -deactivate >/dev/null 2>&1
said=$(register --remove)
rc=$?
check "--remove ends with 0 (got $rc) and takes the four out: $said" test $rc = 0 -a "$(listed)" = 0
got=$(select_place "$place")
check "and -select $place starts another program: \"${got#* }\"" test -n "$got" -a "${got#* zamvel-}" = "$got"
as_user xscreensaver-command -exit >/dev/null 2>&1
[ -n "${ZAMVEL_SHOTS:-}" ] && cp "$WORK"/*-[01].png "$ZAMVEL_SHOTS/"
finish
