#!/usr/bin/env bash
# Starts lumbrix.exe under Wine on a real X display (Xvfb), uses it as a
# person would with xdotool, and reads the result back through the clipboard.
# Usage: window_test.sh PATH_TO_WINE64 PATH_TO_LUMBRIX_EXE
set -euo pipefail
program=$2
source "$(dirname "$0")/../support/use_window.sh"
source "$(dirname "$0")/../support/wine.sh"
scratch
use_wine "$1" "$work"
at_exit+=(stop_wine)

start_xvfb "$work" || exit 1
boot_wine || fail "wineboot failed"

"$wine" "$program" 2>"$work/stderr" &
app=$!
pids+=($app)

find_window
# No sizing border: the client area, 163 by 57 at 96 dpi.
check_fixed_size 163 57

convert_and_copy
escape_twice_ends
echo "window test under Wine passed"
