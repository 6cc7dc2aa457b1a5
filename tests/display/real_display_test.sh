#!/usr/bin/env bash
# Starts the program on a real X display (Xvfb), uses it as a person would
# with xdotool, and reads the result back through the clipboard.
# Usage: real_display_test.sh PATH_TO_LUMBRIX
set -euo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" 2>"$work/stderr" &
app=$!
pids+=($app)

window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Lumbrix$' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
  sleep 0.05
done
[ -n "$window" ] || fail "no visible window titled Lumbrix"

# Fixed size: the size hints pin both minimum and maximum to the client area.
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 163 by 57" <<<"$hints" || fail "minimum size hint: $hints"
grep -q "maximum size: 163 by 57" <<<"$hints" || fail "maximum size hint: $hints"

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
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
kill -0 "$app" 2>/dev/null && fail "the second Escape did not end the program"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "real display test passed"
