#!/usr/bin/env bash
# Checks the source layout, then builds and runs the tests: an optimised
# build, then a build under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the concurrency tests under ThreadSanitizer; warnings are errors in
# all three. Editor tests need an X display; without one the tests run
# under a virtual one. The optimised build's tests also cross-build the
# Windows module (build/windows), run its tests under wine and compare its
# audio with the Linux module's.
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

scripts/check-format.sh
scripts/build.sh build -DVELLMARK_WERROR=ON
run_tests build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scripts/build.sh build-sanitize -DVELLMARK_SANITIZE=ON -DVELLMARK_BENCH=OFF -DVELLMARK_WERROR=ON
run_tests build-sanitize

# The concurrency tests under ThreadSanitizer, for a few seconds each.
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
export VELLMARK_STRESS_SECONDS=4
scripts/build.sh build-tsan -DVELLMARK_SANITIZE=thread -DVELLMARK_BENCH=OFF -DVELLMARK_WERROR=ON
run_tests build-tsan
