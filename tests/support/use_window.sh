# Uses the program's window on a private X display as a person would, with
# xdotool, for the tests of the Linux and the Windows program. Sourced; the
# caller makes its scratch folder, starts the program with its stderr in
# $work/stderr, and sets app to its pid.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

# Fixed size: the size hints pin both minimum and maximum to the client area.
check_fixed_size() {
  local hints
  hints=$(xprop -id "$window" WM_NORMAL_HINTS)
  grep -q "minimum size: $1 by $2" <<<"$hints" || fail "minimum size hint: $hints"
  grep -q "maximum size: $1 by $2" <<<"$hints" || fail "maximum size hint: $hints"
}

# A close button only: the Motif hints offer neither minimize nor maximize,
# as a function (8, 16) or as a button (32, 64), and offer close (32).
check_close_only() {
  local functions decorations
  read -r _ functions decorations _ < <(xprop -id "$window" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
  (((functions & 0x18) == 0 && (functions & 0x20) && (decorations & 0x60) == 0)) ||
    fail "window manager hints: functions $functions, decorations $decorations"
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
  clipboard_holds "620" "after converting 2"
}

# Waits up to 2 s for the clipboard to hold TEXT; fails naming WHEN.
clipboard_holds() {
  local copied="" _
  for _ in $(seq 40); do
    copied=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$copied" = "$1" ] && return 0
    sleep 0.05
  done
  fail "clipboard $2: '$copied'"
}

# The program puts its window in the middle of the screen itself: with no
# window manager, nothing else moves it.
check_centred() {
  local WINDOW X Y WIDTH HEIGHT SCREEN screen_width screen_height
  eval "$(xdotool getwindowgeometry --shell "$window")"
  read -r screen_width screen_height < <(xdotool getdisplaygeometry)
  local dx=$((2 * X + WIDTH - screen_width)) dy=$((2 * Y + HEIGHT - screen_height))
  ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) ||
    fail "window at $X,$Y, $WIDTH by $HEIGHT, on a $screen_width by $screen_height screen"
}

# A double click selects the whole input, as one click does, and not the
# word under the pointer: the prompt has words.
double_click_selects_all() {
  # Away from where the double click goes, lest it count as its first click.
  xdotool mousemove --window "$window" 20 8 click 1
  xdotool type --delay 20 "abc"
  xdotool key Return
  xdotool mousemove --window "$window" 60 8 click --repeat 2 --delay 50 1
  xdotool key ctrl+c
  clipboard_holds "Enter a value here." "after a double click on the prompt"
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
