#!/usr/bin/env bash
# Times kernel32's profile functions under Wine (bench/wine/profile_timing.cpp) and the native
# engine's same rows (bench/ini_bench.cpp), each against its own baseline of reading the file.
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=tests/wine/wine_prefix.sh
source "$root/tests/wine/wine_prefix.sh"
wine_prefix_start "$root/build/wineprefix" win64 || exit 1
trap wine_prefix_stop EXIT
echo "# Wine 8, kernel32 (microseconds a call)"
wine "$root/build/win64/bench/wine/profile_timing.exe" 2>/dev/null
echo "# native engine (microseconds a call, real time)"
"$root/build/native/bench/orbek_bench" --benchmark_filter=BM_Ini --benchmark_min_time=0.5 \
    --benchmark_format=csv 2>/dev/null |
    awk -F, '/^"BM_Ini/ { gsub(/"/, "", $1); printf "%s %.3f\n", $1, $3 / 1000 }'
