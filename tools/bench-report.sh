#!/usr/bin/env bash
# Runs the native benchmarks and prints each one's CPU time as a ratio to the baseline of the
# same run, the form docs/performance.md reports.
set -euo pipefail
cd "$(dirname "$0")/.."
build/native/bench/orbek_bench --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
    awk -F, 'BEGIN { n = 0 }
        /^"BM_/ { gsub(/"/, "", $1); name[n] = $1; cpu[n] = $4; unit[n] = $5; n++ }
        END {
            for (i = 0; i < n; i++) if (name[i] ~ /Baseline/) base = cpu[i]
            print "| benchmark | CPU time | ratio to baseline |"
            print "|---|---|---|"
            for (i = 0; i < n; i++)
                printf "| %s | %.1f %s | %.1f |\n", name[i], cpu[i], unit[i], cpu[i] / base
        }'
