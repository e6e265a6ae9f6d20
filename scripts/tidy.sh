#!/usr/bin/env bash
# The opt-in clang-tidy pass (.clang-tidy: the bugprone and performance
# checks) over the program's sources and the pseudo-terminal harness, on the
# default preset's compile commands. Installs clang-tidy where it is missing,
# as scripts/test.sh installs its packages. Exits non-zero on any finding.
#
# Environment: JOBS (default: the number of processors).
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

source scripts/install_missing.sh
install_missing clang-tidy

cmake --preset default >/dev/null
# The generated sources (test data, version) must exist for the commands.
cmake --build --preset default -j "$jobs" >/dev/null

log=$(mktemp "${TMPDIR:-/tmp}/menue-tidy.XXXXXX")
trap 'rm -f "$log"' EXIT
run-clang-tidy -j "$jobs" -p build -quiet \
  "$root/(platform|menufile|console|session|editing|commands|tools)/" >"$log" 2>&1 || true
if grep -E '(warning|error):' "$log"; then
  echo "clang-tidy: findings above" >&2
  exit 1
fi
echo "clang-tidy: nothing found."
