#!/usr/bin/env bash
# Installs what is missing, builds the Linux program and opens its window on this desktop.
# Offline: start tools/sample_playlist_server.py and set http_proxy (see README.md).
set -euo pipefail
cd "$(dirname "$0")/.."

no_display() {
  echo "run.sh: $1" >&2
  echo "run.sh: the program opens a window, so it needs a graphical desktop." >&2
  echo "run.sh: run it from a terminal inside your desktop session, or set DISPLAY." >&2
  exit 1
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  no_display "no display: neither DISPLAY nor WAYLAND_DISPLAY is set."
fi

bash scripts/install-deps.sh

if [ -z "${WAYLAND_DISPLAY:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
  no_display "cannot open the X display '${DISPLAY}'."
fi

cmake --preset linux >/dev/null
cmake --build --preset linux --target sonvale-brackwen
exec build/linux/sonvale-brackwen
