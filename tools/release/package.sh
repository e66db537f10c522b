#!/usr/bin/env bash
# package.sh VERSION BIN32 BIN64 OUT [--sign CERT.pfx [--pass-file FILE]]
#
# Packages the four programs of BIN32 (32-bit) and BIN64 (64-bit) into OUT:
#   Zamvel-Savers-VERSION-x86.msi   the 32-bit programs into the 32-bit system folder
#   Zamvel-Savers-VERSION-x64.msi   the 64-bit programs into System32
#   Zamvel-Savers-VERSION-x86.zip   the 32-bit programs and INSTALL.txt
#   SHA256SUMS                      over the three
# With --sign, each program is signed before it is packaged, then each MSI.
#
# The same inputs give the same bytes: SOURCE_DATE_EPOCH (seconds, default
# 1980-01-01) is every file date, the MSIs' creation time and the signing
# time, and every code the MSIs carry is derived from their inputs.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
PROGRAMS="Glyra2 Glyra Orbel Worms"
# Each package's identity across all its versions: never change these.
UPGRADE_CODE_x86=B39B97FD-866A-4A92-9369-67F375EBD318
UPGRADE_CODE_x64=30B8C3CA-089C-4E37-BF79-DF06B3D902BB

die() { echo "release: $*" >&2; exit 1; }

usage="usage: package.sh VERSION BIN32 BIN64 OUT [--sign CERT.pfx [--pass-file FILE]]"
[ $# -ge 4 ] || die "$usage"
VERSION=$1 BIN32=$2 BIN64=$3 OUT=$4
shift 4
CERT="" PASS_FILE=""
while [ $# -gt 0 ]; do
  case "$1" in
    --sign) [ $# -ge 2 ] || die "--sign needs a .pfx file"; CERT=$2; shift 2 ;;
    --pass-file) [ $# -ge 2 ] || die "--pass-file needs a file"; PASS_FILE=$2; shift 2 ;;
    *) die "$usage" ;;
  esac
done
[ -z "$PASS_FILE" ] || [ -n "$CERT" ] || die "--pass-file goes with --sign"
[ -z "$CERT" ] || [ -r "$CERT" ] || die "cannot read the certificate $CERT"
[ -z "$PASS_FILE" ] || [ -r "$PASS_FILE" ] || die "cannot read the password file $PASS_FILE"

# Windows Installer's limits: major and minor up to 255, build up to 65535.
# It compares only the first three fields when it looks for other versions.
[[ $VERSION =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)(\.([0-9]+))?$ ]] ||
  die "version '$VERSION' is not N.N.N or N.N.N.N"
[ $((10#${BASH_REMATCH[1]})) -le 255 ] && [ $((10#${BASH_REMATCH[2]})) -le 255 ] &&
  [ $((10#${BASH_REMATCH[3]})) -le 65535 ] && [ $((10#${BASH_REMATCH[5]:-0})) -le 65535 ] ||
  die "version '$VERSION' is out of range (at most 255.255.65535.65535)"

EPOCH=${SOURCE_DATE_EPOCH:-315532800}
# A zip cannot hold a date before 1980.
[[ $EPOCH =~ ^[0-9]+$ ]] && [ "$EPOCH" -ge 315532800 ] ||
  die "SOURCE_DATE_EPOCH '$EPOCH' is not a time in seconds from 1980 on"
# UTC dates in the zip, and one order of files wherever this runs.
export TZ=UTC LC_ALL=C

for tool in wixl msibuild msiinfo faketime zip python3 ${CERT:+osslsigncode}; do
  command -v "$tool" >/dev/null || die "$tool is missing (./dev release installs it)"
done
for p in $PROGRAMS; do
  [ -f "$BIN32/$p.scr" ] || die "$BIN32/$p.scr is missing: build the win32 preset first"
  [ -f "$BIN64/$p.scr" ] || die "$BIN64/$p.scr is missing: build the win64 preset first"
done
mkdir -p "$OUT" || die "cannot make $OUT"
OUT=$(cd "$OUT" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# A name-based UUID: the same name under the same namespace gives the same code.
uuid_for() {
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$1" "$2"
}

# sign IN OUT DESCRIPTION: Authenticode, SHA-256, no time-stamp (that needs
# a time-stamping server), signing time fixed.
sign() {
  local pass=()
  [ -n "$PASS_FILE" ] && pass=(-readpass "$PASS_FILE")
  osslsigncode sign -pkcs12 "$CERT" "${pass[@]}" -h sha256 -n "$3" -time "$EPOCH" \
    -in "$1" -out "$2" </dev/null >"$WORK/sign.log" 2>&1 ||
    { cat "$WORK/sign.log" >&2; die "signing $(basename "$1") failed"; }
}

# stage ARCH BIN: the programs as they will be shipped, in $WORK/ARCH.
stage() {
  local dir=$WORK/$1 p
  mkdir "$dir"
  for p in $PROGRAMS; do
    if [ -n "$CERT" ]; then
      sign "$2/$p.scr" "$dir/$p.scr" "$p"
    else
      cp "$2/$p.scr" "$dir/$p.scr"
    fi
  done
  cp "$here/savers.wxs" "$here/savers.ico" "$dir/"
  chmod 644 "$dir"/*
  touch -d "@$EPOCH" "$dir"/*
}

# msi ARCH: builds Zamvel-Savers-VERSION-ARCH.msi from the staged programs.
msi() {
  local arch=$1 dir=$WORK/$1 name=Zamvel-Savers-$VERSION-$1.msi
  local upgrade_var=UPGRADE_CODE_$arch
  local upgrade=${!upgrade_var}
  # A new product code for each version (a major upgrade); a package code
  # for each distinct package, from everything that goes into it.
  local product package
  product=$(uuid_for "$upgrade" "product $VERSION")
  package=$(uuid_for "$upgrade" "package $VERSION $(cd "$dir" && cat ./* | sha256sum)")
  # wixl and msibuild stamp the summary with the current time: a stopped
  # clock (-f, a date without "@"), or a slow run would cross a second.
  local at
  at=$(date -d "@$EPOCH" '+%Y-%m-%d %H:%M:%S')
  (cd "$dir" && faketime -f "$at" wixl -a "$arch" -D Arch="$arch" -D Version="$VERSION" \
      -D UpgradeCode="$upgrade" -D ProductCode="$product" -o "$WORK/$name" savers.wxs) ||
    die "wixl failed on $name"
  local subject template
  subject=$(msiinfo suminfo "$WORK/$name" | tr -d '\r' | sed -n 's/^Subject: //p')
  template=$(msiinfo suminfo "$WORK/$name" | tr -d '\r' | sed -n 's/^Template: //p')
  # wixl draws a random package code, and drops IncludeMaximum: write both
  # (768: minimum and maximum inclusive; msibuild takes -s last).
  local q='`'
  faketime -f "$at" msibuild "$WORK/$name" \
    -q "DELETE FROM ${q}Upgrade${q} WHERE ${q}ActionProperty${q} = 'OLDER_FOUND'" \
    -q "INSERT INTO ${q}Upgrade${q} (${q}UpgradeCode${q}, ${q}VersionMin${q}, ${q}VersionMax${q}, ${q}Attributes${q}, ${q}ActionProperty${q}) VALUES ('{$upgrade}', '0.0.0', '$VERSION', 768, 'OLDER_FOUND')" \
    -s "$subject" Zamvel "$template" "{$package}" ||
    die "msibuild failed on $name"
  rm -f "$OUT/$name"
  if [ -n "$CERT" ]; then
    sign "$WORK/$name" "$OUT/$name" "$subject"
  else
    cp "$WORK/$name" "$OUT/$name"
  fi
}

# The zip: sorted names, fixed dates and modes, no extra fields.
zip_x86() {
  local dir=$WORK/zip name=Zamvel-Savers-$VERSION-x86.zip p
  mkdir "$dir"
  for p in $PROGRAMS; do cp "$WORK/x86/$p.scr" "$dir/"; done
  sed 's/$/\r/' "$here/INSTALL.txt" >"$dir/INSTALL.txt"
  chmod 644 "$dir"/*
  touch -d "@$EPOCH" "$dir"/*
  rm -f "$OUT/$name"
  (cd "$dir" && ls | zip -X -D -q "$OUT/$name" -@) || die "zip failed on $name"
}

stage x86 "$BIN32"
stage x64 "$BIN64"
msi x86
msi x64
zip_x86
cd "$OUT" && sha256sum "Zamvel-Savers-$VERSION-x86.msi" "Zamvel-Savers-$VERSION-x64.msi" \
  "Zamvel-Savers-$VERSION-x86.zip" >SHA256SUMS || die "cannot write SHA256SUMS"
