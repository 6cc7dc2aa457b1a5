#!/usr/bin/env bash
# The programs must run on a bare Windows: they may import only DLLs that
# come with the system, never the MinGW runtime's.
# Usage: imports_test.sh PROGRAM...
set -euo pipefail
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null ||
  { echo "FAIL: $objdump not found; install binutils-mingw-w64-x86-64" >&2; exit 1; }

# Windows' own: the kernel, user interface, graphics, shell, COM,
# accessibility and common controls DLLs, and the C runtime it ships.
system='^(kernel32|user32|gdi32|shell32|comctl32|ole32|oleaut32|oleacc|advapi32|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
status=0
for program in "$@"; do
  dlls=$("$objdump" -p "$program" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  [ -n "$dlls" ] || { echo "FAIL: no imports read from $program" >&2; status=1; }
  foreign=$(grep -Ev "$system" <<<"$dlls" || true)
  if [ -n "$foreign" ]; then
    echo "FAIL: $(basename "$program") imports $(tr '\n' ' ' <<<"$foreign")" >&2
    status=1
  fi
  echo "$(basename "$program"): $(tr '\n' ' ' <<<"$dlls")"
done
exit $status
