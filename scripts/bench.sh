#!/usr/bin/env bash
# Builds the benchmarks and the optimised program, runs the in-process
# benchmarks (Google Benchmark; passes on the real file system in scratch
# directories under /tmp of 0, 10,000 and 100,000 files and with MenuFiles of
# 1 KiB to 200 MiB), the terminal comparison with dialog and whiptail under a
# pseudo-terminal at 80x25 and 250x80, the system calls per cursor key under
# strace, and menue with 100,000 files and huge MenuFiles, and prints the
# figures as Markdown, ready for the README's "Benchmarks" section. For
# people, not for CI: it judges nothing and never fails on a figure. It takes
# a few minutes.
#
# Environment: REPETITIONS (default 5) runs of each in-process benchmark, of
# which the median is shown; IDLE_SECONDS (default 5) and ROUNDS (default 5,
# four moves down and four up each) for the terminal comparison.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

repetitions=${REPETITIONS:-5}
idle_seconds=${IDLE_SECONDS:-5}
rounds=${ROUNDS:-5}

for peer in dialog whiptail strace; do
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
echo "MirrorHighlightMoveText: one menu of five items in ASCII (text:0), code page 850 (text:1)"
echo "and wide UTF-8 (text:2), each item as many columns wide in every kind."
echo
echo "Passes on the real file system, the sample menu beside N other files or as a MenuFile of"
echo "N bytes (sparse); a blank round is two presses, a step and the wrap round to \"-menue-\":"
echo
echo "| benchmark | wall µs | CPU µs | |"
echo "|---|--:|--:|--:|"
medians '^(CursorKeyPass|BlankRound)'
echo
echo "Under an 80x25 pseudo-terminal (\`build-bench/bench/menue_pty_bench\`), the five-item sample menu:"
echo
build-bench/bench/menue_pty_bench build-release/menue \
  --idle-seconds "$idle_seconds" --rounds "$rounds"
echo
echo "The first screen at 250x80:"
echo
build-bench/bench/menue_pty_bench build-release/menue --startup-only --size 250x80 --starts 3
echo
echo "System calls per cursor key (\`strace -f\`, the median key; menue in a directory that has"
echo "stood unchanged for two seconds):"
echo
build-bench/bench/menue_pty_bench build-release/menue --syscalls
echo
echo "menue with many files and huge MenuFiles, 80x25:"
echo
build-bench/bench/menue_pty_bench build-release/menue --scale
echo
echo "One menu of five items, each as many columns wide in every kind of text, 80x25; CPU per"
echo "key is the scheduler's run time over the counted keys:"
echo
build-bench/bench/menue_pty_bench build-release/menue --texts --rounds "$rounds"
echo
echo "What an edit adds: \`menue --edit\` of the sample menu with an editor that changes one"
echo "word, under \`strace -f\`, menue's own calls (not the editor's) that write, rename or list:"
echo
if command -v strace >/dev/null; then
  edit_dir=$(mktemp -d)
  cp examples/demo/-menue- "$edit_dir/"
  printf '#!/bin/sh\nsed -i s/Beispielmenue/Geaendert/ "$1"\n' >"$edit_dir/editor"
  chmod +x "$edit_dir/editor"
  (cd "$edit_dir" && XDG_STATE_HOME="$edit_dir/state" EDITOR="$edit_dir/editor" \
    strace -f -qq -o "$edit_dir/trace" "$OLDPWD/build-release/menue" --edit >/dev/null)
  # The first process in the log is menue; its children are the editor.
  awk -v menue="$(head -n 1 "$edit_dir/trace" | cut -d' ' -f1)" '
    $1 != menue { next }
    /^[0-9]+ +(rename|renameat2?|linkat|link)\(/ { renames++ }
    /^[0-9]+ +getdents64\(/ { listings++ }
    /^[0-9]+ +(write|pwrite64)\(/ { writes++ }
    /^[0-9]+ +(unlink|unlinkat)\(/ { deletes++ }
    { all++ }
    END {
      print "| system calls of the whole run | writes | renames and links | deletes | directory reads |"
      print "|--:|--:|--:|--:|--:|"
      printf "| %d | %d | %d | %d | %d |\n", all, writes, renames, deletes, listings
    }' "$edit_dir/trace"
  rm -rf "$edit_dir"
else
  echo "strace is not installed: not counted."
fi

