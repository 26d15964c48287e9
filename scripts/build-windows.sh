#!/usr/bin/env bash
# Cross-builds the 64-bit Windows module (vellmark.dll), the scenario
# renderer and the Windows tests with mingw-w64.
# Usage: scripts/build-windows.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" "$@"
cmake --build "$dir" -j "$jobs"
