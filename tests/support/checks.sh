# Pass/fail bookkeeping for the shell test scripts; source it.
passed=0
failed=0
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
# Prints the closing count and exits non-zero when anything failed.
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
    exit
}
