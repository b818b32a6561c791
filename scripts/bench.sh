#!/usr/bin/env bash
# Builds and runs the extraction benchmark (not a test). Extra arguments go to Google
# Benchmark, e.g. --benchmark_filter=ours.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset linux >/dev/null
cmake --build --preset linux --target extraction_bench
exec build/linux/bench/extraction_bench "$@"
