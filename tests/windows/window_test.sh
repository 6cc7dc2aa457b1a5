#!/usr/bin/env bash
# Starts lumbrix.exe under Wine on a real X display (Xvfb), uses it as a
# person would with xdotool, and reads the result back through the clipboard.
# Usage: window_test.sh PATH_TO_WINE64 PATH_TO_LUMBRIX_EXE
set -euo pipefail
wine=$1
program=$2
source "$(dirname "$0")/../display/xvfb.sh"

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
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  lumbrix: /' "$work/stderr" >&2
  exit 1
}
wait_until() {
  local _
  for _ in $(seq 600); do "$@" && return 0; sleep 0.05; done
  return 1
}

start_xvfb "$work" || exit 1
# Boot the prefix first, so the program's own start is not mistaken for it.
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
"$wineserver" -w

"$wine" "$program" 2>"$work/stderr" &
app=$!
pids+=($app)

visible_window() {
  window=$(xdotool search --onlyvisible --name '^Lumbrix$' 2>/dev/null | head -n 1)
  [ -n "$window" ] || { kill -0 "$app" 2>/dev/null || fail "the program ended before its window showed"; false; }
}
wait_until visible_window || fail "no visible window titled Lumbrix"

# No sizing border: the size hints pin both minimum and maximum to the
# client area, 163 by 57 at 96 dpi.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 163 by 57" <<<"$hints" || fail "minimum size hint: $hints"
grep -q "maximum size: 163 by 57" <<<"$hints" || fail "maximum size hint: $hints"

xdotool windowfocus --sync "$window"
# Replace the input and convert.
xdotool mousemove --window "$window" 60 8 click 1
xdotool type --delay 20 "2"
xdotool key Return

# Click into the result, which selects it all, and copy it.
xdotool mousemove --window "$window" 60 25 click 1
xdotool key ctrl+c
copied=""
for _ in $(seq 40); do
  copied=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
  [ -n "$copied" ] && break
  sleep 0.05
done
[ "$copied" = "620" ] || fail "clipboard after converting 2: '$copied'"

# Escape empties the boxes, a second Escape on the empty input ends it.
xdotool mousemove --window "$window" 60 8 click 1
xdotool key Escape
sleep 0.2
kill -0 "$app" 2>/dev/null || fail "the first Escape ended the program"
xdotool key Escape
wait_until eval '! kill -0 "$app" 2>/dev/null' || fail "the second Escape did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "window test under Wine passed"
