#!/usr/bin/env bash
# Runs every suite (native unit tests plain and sanitized, the Wine integration tests) and
# closes with one line "N passed, N failed" summing them all.
set -u
cd "$(dirname "$0")/.."

passed=0
failed=0

# GoogleTest's own closing lines give its counts.
run_gtest() {
    local label=$1 binary=$2 log
    log=$(mktemp)
    echo "== $label"
    "$binary" --gtest_brief=1 2>&1 | tee "$log" | grep -E '^\[  (FAILED|PASSED) ' || true
    local p f
    p=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
    f=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1)
    if [ -z "$p" ]; then
        echo "$label did not finish"
        grep -E 'ERROR|runtime error|Sanitizer' "$log" | head -n 20
        f=$((${f:-0} + 1))
    fi
    passed=$((passed + ${p:-0}))
    failed=$((failed + ${f:-0}))
    rm -f "$log"
}

run_gtest "native unit tests" build/native/tests/orbek_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    run_gtest "unit tests under ASan+UBSan" build/asan/tests/orbek_tests

echo "== Wine integration tests"
log=$(mktemp)
tests/wine/run.sh 2>&1 | tee "$log"
wine_line=$(grep -E '^wine: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n1)
if [ -n "$wine_line" ]; then
    passed=$((passed + $(sed -E 's/^wine: ([0-9]+) passed.*/\1/' <<<"$wine_line")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$wine_line")))
else
    echo "the Wine tests did not finish"
    failed=$((failed + 1))
fi
rm -f "$log"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
