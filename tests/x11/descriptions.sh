#!/usr/bin/env bash
# Each program's xscreensaver settings description (CONFIG/NAME.xml)
# describes every option the program takes (xscreensaver's settings drop
# any option their description lacks) and nothing it does not take; each
# widget has a label, in English as every description's, and the
# description names its program. The program's --help is English, and
# Japanese under a Japanese locale, with the same options.
# Argument: the folder of the descriptions.
set -u
CONFIG=${1:?the folder of the descriptions}
BIN=${ZAMVEL_BIN:?}
PASSED=0 FAILED=0
check() {
  local what=$1
  shift
  if "$@"; then PASSED=$((PASSED + 1)); echo "ok: $what"; else FAILED=$((FAILED + 1)); echo "FAIL: $what"; fi
}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
options() { sed -n 's/^  --\([a-z-]*\).*/\1/p'; }
ascii() { ! LC_ALL=C grep -q '[^ -~]' "$@"; }
for name in zamvel-glyra2 zamvel-glyra zamvel-orbel zamvel-worms; do
  env -u LC_ALL -u LC_MESSAGES LANG=C "$BIN/$name" --help >"$WORK/$name.en"
  env -u LC_ALL -u LC_MESSAGES LANG=ja_JP.UTF-8 "$BIN/$name" --help >"$WORK/$name.ja"
  check "$name --help is English under C, Japanese under ja_JP, with the same options" \
    eval 'ascii "$WORK/$name.en" && ! ascii "$WORK/$name.ja" &&
      [ "$(options <"$WORK/$name.en")" = "$(options <"$WORK/$name.ja")" ]'
  check "$name.xml is English" ascii "$CONFIG/$name.xml"
  # The options --help lists, less those that say where to draw and for
  # how long (the daemon gives those itself).
  took=$(options <"$WORK/$name.en" | grep -vxE 'window-id|root|display|frames' | sort -u)
  described=$(python3 - "$CONFIG/$name.xml" "$name" <<'PY'
import sys, xml.etree.ElementTree as E
root = E.parse(sys.argv[1]).getroot()
assert root.tag == "screensaver" and root.get("name") == sys.argv[2], "the description names another program"
names = set()
for e in root.iter():
    if e.tag in ("number", "boolean", "string", "file", "option") and not e.get("_label"):
        sys.exit("a %s without a label" % e.tag)
    for a in ("arg", "arg-set", "arg-unset"):
        if e.get(a) and e.tag != "command":
            names.add(e.get(a).split()[0].lstrip("-"))
print("\n".join(sorted(names)))
PY
  ) || { check "$name.xml reads" false; continue; }
  check "$name.xml describes every option of $name and no other: $(echo $took)" test "$took" = "$described"
done
echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
