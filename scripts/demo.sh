#!/usr/bin/env bash
# Starts menue in this terminal on a scratch copy of the sample menus in
# examples/demo/. Builds the program alone first (the release preset, which
# builds no tests), after installing the compiler and build tools where they
# are missing. ESC (or a double click with the right mouse button) ends it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
binary="$root/build-release/menue"

if [[ ! -f build-release/build.ninja ]]; then
  source scripts/install_missing.sh
  install_missing cmake ninja-build g++
  cmake --preset release >/dev/null
fi
cmake --build --preset release --target menue

demo=$(mktemp -d "${TMPDIR:-/tmp}/menue-demo.XXXXXX")
trap 'rm -rf "$demo"' EXIT
cp -R "$root/examples/demo/." "$demo/"
cd "$demo"
"$binary"
