#!/usr/bin/env bash
# Runs the native benchmarks and prints each one's CPU time as a ratio to the baseline of its
# group in the same run, the form docs/performance.md reports: the methods against one copy of
# a time text, each drop shadow against the reference painting of the same size, the usage
# log's record line against a buffered stream line, the INI calls against reading the file.
set -euo pipefail
cd "$(dirname "$0")/.."
build/native/bench/orbek_bench --benchmark_min_time=0.5 --benchmark_format=csv 2>/dev/null |
    awk -F, '
        function group(name,   parts, size) {
            split(name, parts, "_")
            if (parts[2] == "DrawShadow") { size = name; sub(/^[^\/]*/, "", size); return "DrawShadow" size }
            if (parts[2] == "UsageLog" || parts[2] == "Ini") return parts[2]
            return "methods"
        }
        function is_baseline(name) {
            return name ~ /Baseline|DrawShadow_Surface|UsageLog_StreamLine$/
        }
        /^"BM_/ {
            gsub(/"/, "", $1); name[n] = $1; cpu[n] = $4; unit[n] = $5
            if (is_baseline($1)) base[group($1)] = $4
            n++
        }
        END {
            print "| benchmark | CPU time | ratio to its baseline |"
            print "|---|---|---|"
            for (i = 0; i < n; i++)
                printf "| %s | %.1f %s | %.2f |\n", name[i], cpu[i], unit[i], cpu[i] / base[group(name[i])]
        }'
