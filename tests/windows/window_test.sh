#!/usr/bin/env bash
# Starts lumbrix.exe under Wine on a real X display (Xvfb), uses it as a
# person would with xdotool, and reads the result back through the clipboard.
# Usage: window_test.sh PATH_TO_WINE64 PATH_TO_LUMBRIX_EXE
set -euo pipefail
wine=$1
program=$2
source "$(dirname "$0")/../display/xvfb.sh"
source "$(dirname "$0")/../display/use_window.sh"

work=$(mktemp -d)
pids=()
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=$(dirname "$wine")/wineserver64
[ -x "$wineserver" ] || wineserver=wineserver
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  stop_started
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work" || exit 1
# Boot the prefix first, so the program's own start is not mistaken for it.
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
"$wineserver" -w

"$wine" "$program" 2>"$work/stderr" &
app=$!
pids+=($app)

find_window
# No sizing border: the client area, 163 by 57 at 96 dpi.
check_fixed_size 163 57

convert_and_copy
escape_twice_ends
echo "window test under Wine passed"
