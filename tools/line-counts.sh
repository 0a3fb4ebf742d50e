#!/usr/bin/env bash
# Non-blank lines of tests against non-blank lines of code, as the project counts them: code is
# everything under src/, companion/, controls/, cli/, bench/ and examples/ (sources, scripts,
# build files); tests everything under tests/.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { git ls-files "$@" | grep -E '\.(cpp|h|vbs|sh|cmake|txt|rc|def|py)$' | xargs cat 2>/dev/null | grep -cv '^\s*$'; }
code=$(count src companion controls cli bench examples)
tests=$(count tests)
echo "code $code, tests $tests, tests/code $(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.2f", t / c }')"
