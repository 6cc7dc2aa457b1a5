#!/usr/bin/env bash
# The programs must run on a bare Windows: they may import only DLLs that
# come with the system, never the MinGW runtime's (the stack protector's
# library included). They must also be hardened: ASLR with high entropy, DEP,
# terminal-server aware, the stack protector built in, and a window program
# must claim Windows 10, the oldest system its manifest names.
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
  name=$(basename "$program")
  headers=$("$objdump" -p "$program")
  dlls=$(sed -n 's/^\tDLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
  [ -n "$dlls" ] || { echo "FAIL: no imports read from $program" >&2; status=1; }
  foreign=$(grep -Ev "$system" <<<"$dlls" || true)
  if [ -n "$foreign" ]; then
    echo "FAIL: $name imports $(tr '\n' ' ' <<<"$foreign")" >&2
    status=1
  fi
  echo "$name: $(tr '\n' ' ' <<<"$dlls")"

  for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
    grep -Eq "^\s+$flag$" <<<"$headers" || { echo "FAIL: $name is not $flag" >&2; status=1; }
  done
  grep -q ' T __stack_chk_fail$' <<<"$(x86_64-w64-mingw32-nm "$program")" ||
    { echo "FAIL: $name has no stack protector" >&2; status=1; }
  if grep -q 'Windows GUI' <<<"$headers"; then
    version=$(awk '/^MajorSubsystemVersion/ {major=$2} /^MinorSubsystemVersion/ {print major "." $2}' <<<"$headers")
    [ "$version" = 10.0 ] || { echo "FAIL: $name claims subsystem version $version" >&2; status=1; }
  fi
done
exit $status
