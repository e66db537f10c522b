#!/usr/bin/env bash
# check-pe.sh PROGRAM ARCH: PROGRAM is a Windows GUI executable of ARCH
# (i686: PE32, x86_64: PE32+) that imports only Windows' own DLLs.
set -u
prog=$1 arch=$2
fail() { echo "FAIL: $prog: $*"; exit 1; }
[ -f "$prog" ] || fail "missing"
desc=$(file -b "$prog")
case "$arch" in
  i686) want="PE32 executable (GUI) Intel 80386" ;;
  x86_64) want="PE32+ executable (GUI) x86-64" ;;
  *) fail "unknown architecture $arch" ;;
esac
case "$desc" in "$want"*) ;; *) fail "is '$desc', expected '$want'" ;; esac
# objdump of either triple reads both PE formats.
dlls=$(x86_64-w64-mingw32-objdump -p "$prog" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
allowed=" advapi32.dll gdi32.dll kernel32.dll msvcrt.dll user32.dll "
for d in $dlls; do
  case "$allowed" in *" $d "*) ;; *) fail "imports $d" ;; esac
done
echo "ok: $prog: $desc; imports: $(echo $dlls)"
