#!/usr/bin/env bash
# Checks a Windows plug-in DLL as a user's machine will see it: it exports
# both VST entry points and imports nothing but Windows' own DLLs (the C++ and
# GCC runtimes must be linked in, a user has no mingw DLLs).
# Usage: scripts/check-windows-dll.sh path/to/vellmark.dll
set -euo pipefail
dump=$(x86_64-w64-mingw32-objdump -p "$1")

status=0
for entry in VSTPluginMain main; do
  if ! grep -Eq "^\s+\[ *[0-9]+\] $entry\$" <<<"$dump"; then
    echo "missing export: $entry"
    status=1
  fi
done

system_dlls="KERNEL32.DLL MSVCRT.DLL USER32.DLL GDI32.DLL GDIPLUS.DLL SHELL32.DLL OLE32.DLL COMDLG32.DLL ADVAPI32.DLL"
while read -r name; do
  [ -n "$name" ] || continue
  if [[ " $system_dlls " != *" ${name^^} "* ]]; then
    echo "imports a DLL Windows does not have: $name"
    status=1
  else
    echo "imports $name"
  fi
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$dump")
exit $status
