#!/usr/bin/env bash
# Renders docs/menu-screen.svg, the README's picture of the menu screen, from
# the demo menus on the virtual console, so the picture stays true.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ ! -f build/build.ninja ]; then cmake --preset default >/dev/null; fi
cmake --build build --target menue_render >/dev/null
build/tests/menue_render examples/demo docs/menu-screen.svg
echo "wrote docs/menu-screen.svg"
