#!/usr/bin/env bash
# Starts menue in this terminal on a scratch copy of the sample menus in
# examples/demo/, building the native program first when it is missing.
# ESC (or a double click with the right mouse button) ends it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)
binary="$root/build/menue"

if [[ ! -x $binary || ! -f build/build.ninja ]]; then
  cmake --preset default
fi
cmake --build --preset default --target menue

demo=$(mktemp -d "${TMPDIR:-/tmp}/menue-demo.XXXXXX")
trap 'rm -rf "$demo"' EXIT
cp -R "$root/examples/demo/." "$demo/"
cd "$demo"
"$binary"
