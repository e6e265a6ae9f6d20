#!/usr/bin/env bash
# Builds the benchmarks and the optimised program, runs the in-process
# benchmarks (Google Benchmark) and the terminal comparison with dialog and
# whiptail under a pseudo-terminal, and prints the figures as Markdown, ready
# for the README's "Benchmarks" section. For people, not for CI: it judges
# nothing and never fails on a figure.
#
# Environment: REPETITIONS (default 5) runs of each in-process benchmark, of
# which the median is shown; IDLE_SECONDS (default 5) and ROUNDS (default 5,
# four moves down and four up each) for the terminal comparison.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

repetitions=${REPETITIONS:-5}
idle_seconds=${IDLE_SECONDS:-5}
rounds=${ROUNDS:-5}

for peer in dialog whiptail; do
  command -v "$peer" >/dev/null || echo "note: $peer is not installed (apt-get install $peer); it is left out" >&2
done

{
  cmake --preset bench
  cmake --build --preset bench
  cmake --preset release
  cmake --build --preset release --target menue
} >&2

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo 2>/dev/null | head -n 1)
echo "Run of $(date -u '+%Y-%m-%d %H:%M UTC') on $(uname -m), $(nproc) processors, ${cpu:-unknown CPU}."
echo
echo "In process (\`build-bench/bench/menue_bench\`, median of $repetitions runs):"
echo
# One table row per benchmark: the medians from Google Benchmark's CSV, where
# a user counter ("bytes") comes last. The CSV writer wants the same counters
# in every row, so the groups with and without counters run apart.
medians() {
  build-bench/bench/menue_bench --benchmark_format=csv --benchmark_filter="$1" \
    --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true 2>/dev/null |
    awk -F, '
      /^name,/ { for (i = 1; i <= NF; i++) if ($i == "\"bytes\"") bytes = i; next }
      $1 ~ /_median"?$/ {
        name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
        unit = $5; gsub(/"/, "", unit)
        scale = unit == "ns" ? 1000 : unit == "ms" ? 0.001 : unit == "s" ? 0.000001 : 1
        shown = bytes ? sprintf("%.0f", $bytes) : ""
        printf "| %s | %.3f | %.3f | %s |\n", name, $3 / scale, $4 / scale, shown
      }'
}
echo "| benchmark | wall µs | CPU µs | bytes to the terminal |"
echo "|---|--:|--:|--:|"
medians '^(OnePass|ParseMenuText)'
medians '^Mirror'
echo
echo "Under an 80x25 pseudo-terminal (\`build-bench/bench/menue_pty_bench\`), the five-item sample menu:"
echo
build-bench/bench/menue_pty_bench build-release/menue \
  --idle-seconds "$idle_seconds" --rounds "$rounds"
