#!/usr/bin/env bash
# Installs what is missing, builds Sonvale-Brackwen.exe and starts it under Wine on this
# desktop. On Windows, just start build/windows/Sonvale-Brackwen.exe (or a copy of it).
# Offline: start tools/sample_playlist_server.py and set http_proxy (see README.md); Wine's
# HTTP request object honours it.
set -euo pipefail
cd "$(dirname "$0")/.."

no_display() {
  echo "run-windows.sh: $1" >&2
  echo "run-windows.sh: the program opens a window, so Wine needs an X display." >&2
  echo "run-windows.sh: run it from a terminal inside your desktop session, or set DISPLAY." >&2
  exit 1
}

if [ -z "${DISPLAY:-}" ]; then
  no_display "no display: DISPLAY is not set."
fi

bash scripts/install-deps.sh

if ! xdpyinfo >/dev/null 2>&1; then
  no_display "cannot open the X display '${DISPLAY}'."
fi

cmake --preset windows >/dev/null
cmake --build --preset windows --target sonvale_brackwen
# A prefix of its own, apart from the tests' one; wine-run.sh sets zh_CN.UTF-8 (code page
# 936) and creates the prefix on the first start, which takes a few seconds.
exec cmake/wine-run.sh "${SONVALE_WINEPREFIX:-build/windows/wine-run}" build/windows/Sonvale-Brackwen.exe
