#!/usr/bin/env bash
# Benchmarks of the Windows program under Wine (not tests):
#  1. start-up: process start to the first paint of the main window, and peak memory, for
#     Sonvale-Brackwen.exe and for an empty Win32 window program, in turns;
#  2. a search of a 3,000-song playlist from the sample server, from the click on 按钮_搜索
#     to the painted rows.
# usage: bash bench/bench_win32.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-9}

bash scripts/install-deps.sh
source scripts/display.sh
ensure_display

cmake --preset windows >/dev/null
cmake --build --preset windows --target sonvale_brackwen empty_window_win32 \
  startup_bench_win32 search_bench_win32

build=build/windows
prefix=$build/wine
port=47803
pidfile=$build/bench_sample_server.pid
python3 tools/sample_playlist_server.py --port $port --background --pidfile "$pidfile"
trap 'python3 tools/sample_playlist_server.py --stop --pidfile "$pidfile" >/dev/null 2>&1 || true' EXIT

windows_path() { echo "Z:$(realpath "$1" | tr / '\\')"; }

echo "=== start-up to first paint, and peak memory"
cmake/wine-run.sh "$prefix" "$build/bench/startup_bench_win32.exe" "$runs" \
  "$(windows_path $build/Sonvale-Brackwen.exe)" "$(windows_path $build/bench/empty_window_win32.exe)"

echo "=== search of 3,000 songs, click to painted rows"
http_proxy=http://127.0.0.1:$port no_proxy= \
  cmake/wine-run.sh "$prefix" "$build/bench/search_bench_win32.exe" many-3000 "$runs"
