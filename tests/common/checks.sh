# Sourced by the test scripts: checks counted, and one verdict at the end.
#   check DESCRIPTION COMMAND...   count a check; the command's success is the verdict
#   finish                         print "N passed, N failed" and exit with the verdict
PASSED=0
FAILED=0

check() {
  local what=$1
  shift
  if "$@"; then
    PASSED=$((PASSED + 1))
    echo "ok: $what"
  else
    FAILED=$((FAILED + 1))
    echo "FAIL: $what"
  fi
}

finish() {
  echo "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
}
