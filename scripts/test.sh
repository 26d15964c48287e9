#!/usr/bin/env bash
# Builds and runs the tests twice: an optimised build, then a build under
# AddressSanitizer and UndefinedBehaviorSanitizer. Editor tests need an X
# display; without one the tests run under a virtual one. The optimised
# build's tests also cross-build the Windows module (build/windows), run its
# tests under wine and compare its audio with the Linux module's.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

run_tests() {
  local dir=$1
  if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  else
    ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  fi
}

scripts/build.sh build
run_tests build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/build.sh build-sanitize -DVELLMARK_SANITIZE=ON -DVELLMARK_BENCH=OFF
run_tests build-sanitize
