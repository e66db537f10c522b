#!/usr/bin/env bash
# ./dev release [--sign CERT.pfx [--pass-file FILE]]
# Builds both Windows presets and writes the release into dist/: the x86 and
# x64 MSIs, the x86 zip and SHA256SUMS (tools/release/package.sh makes them),
# and the linux preset's Debian package of the native programs.
# The version is the CMake project version; the dates in the packages are
# the last commit's, so the same commit gives the same bytes.
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
. tools/rig.sh

die() { echo "release: $*" >&2; exit 1; }

# Checked before the build, which can take minutes; paths made absolute.
cert="" pass=""
while [ $# -gt 0 ]; do
  case "$1" in
    --sign|--pass-file)
      [ $# -ge 2 ] || die "$1 needs a file"
      [ -f "$2" ] && [ -r "$2" ] || die "cannot read $2"
      if [ "$1" = --sign ]; then cert=$(realpath "$2"); else pass=$(realpath "$2"); fi
      shift 2 ;;
    *) die "usage: ./dev release [--sign CERT.pfx [--pass-file FILE]]" ;;
  esac
done
[ -z "$pass" ] || [ -n "$cert" ] || die "--pass-file goes with --sign"
sign=()
[ -n "$cert" ] && sign=(--sign "$cert")
[ -n "$pass" ] && sign+=(--pass-file "$pass")

rig_build win32 win64 || exit 1
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win64/CMakeCache.txt)
[ -n "$version" ] || die "no project version in build/win64/CMakeCache.txt"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) || unset SOURCE_DATE_EPOCH
fi
export SOURCE_DATE_EPOCH

say "release $version${cert:+, signed}"
rm -rf dist
bash tools/release/package.sh "$version" build/win32/bin build/win64/bin dist "${sign[@]}" || exit 1
# Beside the Windows packages, the native programs as a Debian package
# (CPack, in the linux preset), added to SHA256SUMS.
rig_build linux || exit 1
rm -rf build/linux/package
(cd build/linux && cpack -G DEB -B package >/dev/null) || die "cpack failed on the Debian package"
deb=$(cd build/linux/package && ls ./*.deb | head -1)
cp "build/linux/package/$deb" dist/ && (cd dist && sha256sum "${deb#./}" >>SHA256SUMS) || die "cannot add $deb to dist"
web_release dist "$version" || die "cannot add the web page's zip to dist"
ls -l dist | sed 1d
