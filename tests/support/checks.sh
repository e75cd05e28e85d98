# Pass/fail bookkeeping for the shell test scripts; source it.
passed=0
failed=0
skipped=0
pass() {
    passed=$((passed + 1))
    echo "ok   $1"
}
# fail NAME [DETAIL...]
fail() {
    failed=$((failed + 1))
    echo "FAIL $1"
    shift
    local line
    for line in "$@"; do echo "     $line"; done
}
# skip NAME REASON: a check this machine cannot make, said as such.
skip() {
    skipped=$((skipped + 1))
    echo "skip $1: $2"
}
# Prints the closing count and exits non-zero when anything failed.
finish() {
    echo "$passed passed, $failed failed$([ "$skipped" -eq 0 ] || echo ", $skipped skipped")"
    [ "$failed" -eq 0 ]
    exit
}
