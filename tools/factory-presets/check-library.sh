#!/usr/bin/env bash
# Renders the demo phrase with every program file of the factory library
# and fails unless each one is audible (peak above -40 dBFS), never clips
# and has no non-finite samples.
# Usage: tools/factory-presets/check-library.sh [build-dir]
set -euo pipefail
build=${1:-build}
host="$build/bin/vellmark-host"
library="$build/tools/factory-presets/library"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for program in "$library"/*.vkp; do
  report=$("$host" render --chunk "$program" -o "$scratch/out.wav" --tail 2 2>&1) || { failed=1; echo "FAIL render: $program"; continue; }
  peak=$(sed -n 's/^peak *L \([0-9.]*\).*R \([0-9.]*\).*/\1 \2/p' <<<"$report")
  clipped=$(sed -n 's/^clipped *\([0-9]*\).*/\1/p' <<<"$report")
  nonfinite=$(sed -n 's/^non-finite *\([0-9]*\).*/\1/p' <<<"$report")
  verdict=$(awk -v p="$peak" -v c="$clipped" -v n="$nonfinite" 'BEGIN {
    split(p, lr, " "); m = lr[1] > lr[2] ? lr[1] : lr[2];
    if (n != 0 || c != 0 || m >= 1.0 || m < 0.01) print "FAIL"; else print "ok  ";
    }')
  printf '%s %-24s peak %-18s clipped %s non-finite %s\n' "$verdict" "$(basename "$program" .vkp)" "$peak" "$clipped" "$nonfinite"
  [ "$verdict" = "FAIL" ] && failed=1
done
exit $failed
