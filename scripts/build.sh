#!/usr/bin/env bash
# Builds the module, the command-line host, the tests and the benchmarks.
# Usage: scripts/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$dir" -j "$jobs"
