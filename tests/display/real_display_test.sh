#!/usr/bin/env bash
# Starts the program on a real X display (Xvfb), uses it as a person would
# with xdotool, and reads the result back through the clipboard.
# Usage: real_display_test.sh PATH_TO_LUMBRIX
set -euo pipefail
program=$1
source "$(dirname "$0")/xvfb.sh"

work=$(mktemp -d)
pids=()
cleanup() {
  stop_started
  rm -rf "$work"
}
trap cleanup EXIT
# What the program said goes into the test log with any failure.
fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/stderr" ] && sed 's/^/  lumbrix: /' "$work/stderr" >&2
  exit 1
}
# Waits up to 30 s for a command to succeed.
wait_until() {
  local _
  for _ in $(seq 600); do "$@" && return 0; sleep 0.05; done
  return 1
}

start_xvfb "$work" || exit 1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" 2>"$work/stderr" &
app=$!
pids+=($app)

visible_window() {
  window=$(xdotool search --onlyvisible --name '^Lumbrix$' 2>/dev/null | head -n 1)
  [ -n "$window" ] || { kill -0 "$app" 2>/dev/null || fail "the program ended before its window showed"; false; }
}
wait_until visible_window || fail "no visible window titled Lumbrix"

# Fixed size: the size hints pin both minimum and maximum to the client area.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 163 by 57" <<<"$hints" || fail "minimum size hint: $hints"
grep -q "maximum size: 163 by 57" <<<"$hints" || fail "maximum size hint: $hints"

# A close button only: the Motif hints offer neither minimize nor maximize,
# as a function (8, 16) or as a button (32, 64), and offer close (32).
read -r _ functions decorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
(((functions & 0x18) == 0 && (functions & 0x20) && (decorations & 0x60) == 0)) ||
  fail "window manager hints: functions $functions, decorations $decorations"

icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort | tr '\n' ' ')
[ "$icons" = "Icon (32 x 32) Icon (48 x 48) " ] || fail "window icon sizes: $icons"

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
echo "real display test passed"
