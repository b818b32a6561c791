#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs every test of both:
# the Linux build natively, the Windows build under Wine. Windows and input tests need an
# X display; without one, a private Xvfb with the openbox window manager is started.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

source scripts/display.sh
ensure_display

status=0
for preset in linux windows; do
  echo "=== ${preset}: configure and build"
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  echo "=== ${preset}: tests"
  ctest --preset "$preset" || status=1
done
exit $status
