# Uses the program's window on a private X display as a person would, with
# xdotool, for the tests of the Linux and the Windows program. Sourced after
# xvfb.sh; the caller sets work (a scratch folder), starts the program with
# its stderr in $work/stderr, and sets app to its pid.

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

# Sets window to the program's visible window, waiting for it.
find_window() {
  visible_window() {
    window=$(xdotool search --onlyvisible --name '^Lumbrix$' 2>/dev/null | head -n 1)
    [ -n "$window" ] || { kill -0 "$app" 2>/dev/null || fail "the program ended before its window showed"; false; }
  }
  wait_until visible_window || fail "no visible window titled Lumbrix"
}

# Fixed size: the size hints pin both minimum and maximum to the client area.
check_fixed_size() {
  local hints
  hints=$(xprop -id "$window" WM_NORMAL_HINTS)
  grep -q "minimum size: $1 by $2" <<<"$hints" || fail "minimum size hint: $hints"
  grep -q "maximum size: $1 by $2" <<<"$hints" || fail "maximum size hint: $hints"
}

# Converts 2, then copies the result from its box through the clipboard.
convert_and_copy() {
  xdotool windowfocus --sync "$window"
  # Replace the input and convert.
  xdotool mousemove --window "$window" 60 8 click 1
  xdotool type --delay 20 "2"
  xdotool key Return
  # Click into the result, which selects it all, and copy it.
  xdotool mousemove --window "$window" 60 25 click 1
  xdotool key ctrl+c
  local copied="" _
  for _ in $(seq 40); do
    copied=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ -n "$copied" ] && break
    sleep 0.05
  done
  [ "$copied" = "620" ] || fail "clipboard after converting 2: '$copied'"
}

# Escape empties the boxes, a second Escape on the empty input ends the
# program, with exit status 0.
escape_twice_ends() {
  xdotool mousemove --window "$window" 60 8 click 1
  xdotool key Escape
  sleep 0.2
  kill -0 "$app" 2>/dev/null || fail "the first Escape ended the program"
  xdotool key Escape
  wait_until eval '! kill -0 "$app" 2>/dev/null' || fail "the second Escape did not end the program"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status"
}
