#!/usr/bin/env bash
# The release packages, made from both builds by tools/release/package.sh and
# installed under wine (the rig's throwaway prefix and display):
#   - the same inputs give the same bytes, SHA256SUMS checks out, and with a
#     throwaway certificate every signed file verifies and a tampered copy
#     does not;
#   - each MSI installs silently: the programs land byte for byte in its
#     system folder, a saver started from there ends on a key with 0, and
#     "Apps & features" lists it once, with publisher, version and icon;
#   - a later version replaces the installed one, also when only the fourth
#     field grew (one entry left, the new signed programs in place);
#     installing an older one again is refused;
#   - uninstalling removes the programs, the icon and the entry, and keeps
#     the user's settings under HKCU\Software\Zamvel.
# Arguments: the 32-bit and the 64-bit build's bin folders.
. "$(dirname "$0")/../e2e/lib.sh"
BIN32=${1:?the 32-bit bin folder} BIN64=${2:?the 64-bit bin folder}
PACKAGE="$ZAMVEL_TOOLS/release/package.sh"
PROGRAMS="Glyra2 Glyra Orbel Worms"
OLD=1.2.3.1 FOURTH=1.2.3.2 NEW=1.2.4.1
SETTINGS='HKCU\Software\Zamvel\Orbel'
export SOURCE_DATE_EPOCH=1700000000

# package  built programs  system folder  registry view  a saver to start, its loader
PACKAGES="x86 BIN32 syswow64 32 Orbel wine
x64 BIN64 system32 64 Worms wine64"

# The folder as the prefix spells it (an install may change its case).
system_folder() { find "$WINEPREFIX/drive_c/windows" -maxdepth 1 -iname "$1" | head -1; }
msi_property() { msiinfo export "$1" Property | tr -d '\r' | awk -F '\t' -v p="$2" '$1 == p { print $2 }'; }
entries() { "$WINE" uninstaller --list 2>/dev/null | tr -d '\r' | grep -c "|||$1\$"; }
entry_value() {  # VIEW PRODUCTCODE VALUE
  "$WINE" reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$2" /v "$3" "/reg:$1" \
    2>/dev/null | tr -d '\r' | awk -v n="$3" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
msiexec() { "$WINE" msiexec "$@" </dev/null >/dev/null 2>&1; }
winpath() { echo "Z:${1//\//\\}"; }
verifies() { osslsigncode verify -CAfile "$WORK/ca.pem" -in "$1" >/dev/null 2>&1; }
# Copies FILE to COPY with the byte in its middle inverted.
tampered() {
  python3 -c 'import sys; b = bytearray(open(sys.argv[1], "rb").read()); b[len(b) // 2] ^= 0xff
open(sys.argv[2], "wb").write(b)' "$1" "$2"
}
# FOLDER FROM: each program in FOLDER is FROM's, byte for byte; FOLDER: each is signed; none is there.
all_land() { local p; for p in $PROGRAMS; do cmp -s "$1/$p.scr" "$2/$p.scr" || return 1; done; }
all_signed() { local p; for p in $PROGRAMS; do verifies "$1/$p.scr" || return 1; done; }
none_left() { local p; for p in $PROGRAMS; do [ ! -e "$1/$p.scr" ] || return 1; done; }

# --- the packages -----------------------------------------------------------
# A throwaway code-signing certificate, its own CA, in a password-protected .pfx.
echo "not-a-secret" >"$WORK/pass"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Zamvel test signing" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$WORK/key.pem" -out "$WORK/ca.pem" 2>/dev/null &&
  openssl pkcs12 -export -inkey "$WORK/key.pem" -in "$WORK/ca.pem" -out "$WORK/test.pfx" \
    -passout "file:$WORK/pass" || { check "a test certificate is made" false; finish; exit 1; }

package() {  # VERSION OUT [package.sh options]
  local v=$1 out=$2
  shift 2
  bash "$PACKAGE" "$v" "$BIN32" "$BIN64" "$out" "$@" >"$WORK/package.log" 2>&1 || { cat "$WORK/package.log"; return 1; }
}
check "$OLD is packaged, unsigned" package "$OLD" "$WORK/old"
check "$FOURTH is packaged, unsigned" package "$FOURTH" "$WORK/fourth"
check "$NEW is packaged, signed" package "$NEW" "$WORK/new" --sign "$WORK/test.pfx" --pass-file "$WORK/pass"
check "packaging $NEW again gives the same bytes" \
  eval 'package "$NEW" "$WORK/again" --sign "$WORK/test.pfx" --pass-file "$WORK/pass" && cmp -s "$WORK/new/SHA256SUMS" "$WORK/again/SHA256SUMS"'
for d in old new; do
  check "sha256sum -c SHA256SUMS passes ($d)" eval "(cd '$WORK/$d' && sha256sum --quiet -c SHA256SUMS)"
done
mkdir "$WORK/zip"
unzip -q "$WORK/new/Zamvel-Savers-$NEW-x86.zip" -d "$WORK/zip"
check "the zip holds the four programs and INSTALL.txt" \
  test "$(cd "$WORK/zip" && ls | tr '\n' ' ')" = "Glyra.scr Glyra2.scr INSTALL.txt Orbel.scr Worms.scr "
for f in "$WORK/new/Zamvel-Savers-$NEW-x86.msi" "$WORK/new/Zamvel-Savers-$NEW-x64.msi" "$WORK/zip/Orbel.scr"; do
  check "osslsigncode accepts $(basename "$f")" verifies "$f"
  tampered "$f" "$WORK/tampered"
  check "osslsigncode rejects a tampered $(basename "$f")" eval '! verifies "$WORK/tampered"'
done

# --- install, upgrade, downgrade, uninstall ---------------------------------
reg_dword "$SETTINGS" Count 123
while read -r -u 3 arch binvar folder view saver loader; do
  old=$WORK/old/Zamvel-Savers-$OLD-$arch.msi new=$WORK/new/Zamvel-Savers-$NEW-$arch.msi
  name=$(msi_property "$old" ProductName)
  code=$(msi_property "$old" ProductCode)
  check "$arch: $OLD installs silently" msiexec /i "$(winpath "$old")" /qn
  dir=$(system_folder "$folder")
  check "$arch: the four programs land byte for byte in $folder" all_land "$dir" "${!binvar}"
  # (A 32-bit start would look for system32's programs in syswow64.)
  if [ "$loader" = wine ] && [ "$ZAMVEL_WIN32_RUNS" != yes ]; then
    echo "skipped: $arch: starting $saver from $folder ($WIN32_SKIP_REASON)"
  elif WINE=/usr/lib/wine/$loader start_program pid "$dir/$saver.scr" /s && win=$(wait_window "$saver"); then
    sleep 1
    press "$win" Escape
    wait_exit "$pid" 20
    check "$arch: $saver started from $folder ends on a key with 0 (got $EXIT_CODE)" test "$EXIT_CODE" = 0
  else
    check "$arch: $saver started from $folder shows its window" false
  fi
  check "$arch: one entry \"$name\" is listed" test "$(entries "$name")" = 1
  check "$arch: the entry names the publisher Zamvel" test "$(entry_value "$view" "$code" Publisher)" = Zamvel
  check "$arch: the entry shows version $OLD" test "$(entry_value "$view" "$code" DisplayVersion)" = "$OLD"
  check "$arch: the entry's icon is in place" test -s "$WINEPREFIX/drive_c/windows/Installer/$code/savers.ico"

  # Windows Installer compares three fields only: the package makes a
  # fourth-field step an upgrade too, rather than a second entry.
  check "$arch: $FOURTH installs over $OLD" msiexec /i "$(winpath "$WORK/fourth/Zamvel-Savers-$FOURTH-$arch.msi")" /qn
  check "$arch: one entry is left after $FOURTH" test "$(entries "$name")" = 1

  newcode=$(msi_property "$new" ProductCode)
  check "$arch: $NEW installs over $FOURTH" msiexec /i "$(winpath "$new")" /qn
  check "$arch: one entry is left after $NEW" test "$(entries "$name")" = 1
  check "$arch: it shows version $NEW" test "$(entry_value "$view" "$newcode" DisplayVersion)" = "$NEW"
  check "$arch: the programs in $folder are $NEW's signed ones" all_signed "$dir"

  msiexec /i "$(winpath "$old")" /qn
  rc=$?
  # 1603 (fatal error), cut to 8 bits by wine.
  check "$arch: installing $OLD over $NEW is refused (exit $rc)" test "$rc" = $((1603 % 256))
  check "$arch: $NEW stays, alone" test "$(entries "$name")/$(entry_value "$view" "$newcode" DisplayVersion)" = "1/$NEW"
  check "$arch: $NEW's programs stay" all_signed "$dir"

  check "$arch: uninstalling by product code succeeds" msiexec /x "$newcode" /qn
  check "$arch: the programs are gone from $folder" none_left "$dir"
  check "$arch: the entry is gone" test "$(entries "$name")" = 0
  check "$arch: the icon is gone" test ! -e "$WINEPREFIX/drive_c/windows/Installer/$newcode"
done 3<<<"$PACKAGES"
check "the user's settings under HKCU\\Software\\Zamvel are kept" test "$(reg_value "$SETTINGS" Count)" = 0x7b
reg_delete "$SETTINGS"
finish
