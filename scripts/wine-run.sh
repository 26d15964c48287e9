#!/usr/bin/env bash
# Runs a Windows program under wine in a private prefix (WINEPREFIX), made on
# first use and shared by every later call, also by calls running at the same
# time. Arguments that are absolute Linux paths are handed to the program as
# Windows paths on wine's Z: drive.
# Usage: scripts/wine-run.sh PREFIX-FOLDER PROGRAM [ARGUMENTS...]
set -euo pipefail
prefix=$(realpath -m "$1")
program=$2
shift 2

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs them, and wine would try to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    echo "making the wine prefix $prefix" >&2
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait
    [ -f "$prefix/system.reg" ] || { echo "wineboot made no prefix in $prefix" >&2; exit 1; }
  fi
) 9>"$prefix.lock"

args=()
for arg in "$@"; do
  if [[ $arg == /* ]]; then arg="Z:${arg//\//\\}"; fi
  args+=("$arg")
done
exec wine "$program" "${args[@]}"
