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

# Where the boxes and the button are in the client area.
input=(60 8)
result=(60 25)
button=(80 47)

click_in() { xdotool mousemove --window "$window" "$1" "$2" click "${3:-1}"; }

# Runs a command and prints what the program then put on the clipboard;
# fails when nothing came within 5 s.
copied_by() {
  # A text of our own first, so that copying the same text again shows.
  printf 'nothing copied' | xclip -i -selection clipboard
  "$@"
  local copied _
  for _ in $(seq 100); do
    copied=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
    [ "$copied" != "nothing copied" ] && { printf '%s' "$copied"; return 0; }
    sleep 0.05
  done
  fail "nothing was copied by: $*"
}

# A click selects the whole box, so Ctrl+C then copies all it holds.
click_and_copy() {
  click_in "$1" "$2"
  xdotool key ctrl+c
}

# expect_box X Y TEXT WHEN: fails unless the box at X Y holds TEXT.
expect_box() {
  local got
  got=$(copied_by click_and_copy "$1" "$2")
  [ "$got" = "$3" ] || fail "$4: the box at $1,$2 holds '$got', not '$3'"
}

# Types VALUE over the input (a click selects it all) and presses Enter.
convert() {
  click_in "${input[@]}"
  if [ -n "$1" ]; then xdotool type --delay 20 -- "$1"; else xdotool key BackSpace; fi
  xdotool key Return
}

# check_rows_colours INPUT RESULT: the result row is set apart. Read from the
# screen: the commonest colour inside each box, clear of the starting texts.
row_colours() {
  local crop
  for crop in 100x11+20+3 19x11+139+3 100x13+20+19 19x13+139+19; do
    import -window "$window" -crop $crop +repage -depth 8 -format %c histogram:info:- |
      sort -rn | head -n 1 | grep -o '#[0-9A-F]\{6\}'
  done | paste -sd ' '
}
check_rows_colours() {
  local expected="$1 $1 $2 $2"
  # Once the window is drawn; a look takes a fraction of a second.
  wait_until -t 3 eval '[ "$(row_colours)" = "$expected" ]' ||
    fail "colours of the input, its unit, the result and its unit: $(row_colours), not $expected"
}

# A stand-in for the browser that notes the address it is given in
# $work/opened; the caller starts the program with $work/bin first in PATH.
stand_in_browser() {
  mkdir -p "$work/bin"
  printf '#!/bin/sh\nprintf %%s "$*" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
  chmod +x "$work/bin/xdg-open"
}
button_opens_home_page() {
  rm -f "$work/opened"
  click_in "${button[@]}"
  wait_until test -s "$work/opened" || fail "the home-page button opened nothing"
  [ "$(cat "$work/opened")" = https://brimsel.example/ ] ||
    fail "the home-page button opened '$(cat "$work/opened")'"
}

# Converts 2, then copies the result from its box through the clipboard.
convert_and_copy() {
  convert 2
  expect_box "${result[@]}" 620 "after converting 2"
}

# focus_copies_all TEXT WHEN: fails unless Ctrl+A, Ctrl+C in the focused
# box copies TEXT.
focus_copies_all() {
  local got
  got=$(copied_by xdotool key ctrl+a ctrl+c)
  [ "$got" = "$1" ] || fail "$2: Ctrl+A, Ctrl+C copied '$got', not '$1'"
}

# Tab moves between the input and the button only: from the input it
# reaches the button, which ignores a typed 9, and the next Tab the input,
# selected whole, so that a typed 2 replaces it.
tab_between_input_and_button() {
  click_in "${input[@]}"
  xdotool key Tab type 9
  xdotool key Tab type 2
  focus_copies_all 2 "after Tab, 9, Tab, 2"
}

# Ctrl+A selects the whole input, from a cursor at its end.
ctrl_a_selects_all() {
  convert 632.8
  click_in "${input[@]}"
  xdotool key End
  focus_copies_all 632.8 "Ctrl+A from the end"
}

# Enter in the result box changes nothing.
enter_in_result_keeps_all() {
  convert 2
  click_in "${result[@]}"
  xdotool key Return
  expect_box "${result[@]}" 620 "Enter in the result box"
  expect_box "${input[@]}" 2 "Enter in the result box"
}

# Escape in the box at X Y empties both boxes: Enter in the input then
# finds nothing to convert and prompts.
escape_empties_from() {
  convert 2
  click_in "$1" "$2"
  xdotool key Escape
  click_in "${input[@]}"
  xdotool key Return
  expect_box "${input[@]}" "Enter a value here." "Escape in the box at $1,$2, then Enter"
}

# The input's context menu ends with Copy result, whether opened by
# Shift+F10, the Menu key or the right mouse button.
# A window may go while xdotool looks at it; it then counts the rest.
visible_windows() { { xdotool search --onlyvisible --name '' 2>/dev/null || true; } | wc -l; }
choose_last_item() {
  windows_before=$(visible_windows)
  "$@"
  wait_until eval '[ "$(visible_windows)" -gt "$windows_before" ]' || fail "no menu after: $*"
  xdotool key Up Return
}
copy_result_from_menu() {
  convert 2
  local opening got
  for opening in "xdotool key shift+F10" "xdotool key Menu" "click_in ${input[*]} 3"; do
    click_in "${input[@]}"
    got=$(copied_by choose_last_item $opening)
    [ "$got" = 620 ] || fail "Copy result from the menu ($opening) copied '$got'"
  done
  # With no result it is greyed: choosing it copies nothing. Where that
  # leaves the menu open, Escape closes it.
  convert abc
  printf 'nothing copied' | xclip -i -selection clipboard
  choose_last_item xdotool key shift+F10
  sleep 1
  [ "$(visible_windows)" -gt "$windows_before" ] && xdotool key Escape
  got=$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)
  [ "$got" = "nothing copied" ] || fail "Copy result with no result copied '$got'"
}

# What both programs do alike, short of ending: Tab, Ctrl+A, Enter and
# Escape in each box, a click in each box (every expect_box), Copy result,
# and the home-page button.
drive_window() {
  xdotool windowfocus --sync "$window"
  tab_between_input_and_button
  ctrl_a_selects_all
  enter_in_result_keeps_all
  escape_empties_from "${input[@]}"
  escape_empties_from "${result[@]}"
  copy_result_from_menu
  convert_and_copy
  button_opens_home_page
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
double_click() {
  xdotool mousemove --window "$window" "$1" "$2" click --repeat 2 --delay 50 1
  xdotool key ctrl+c
}
double_click_selects_all() {
  # Away from where the double click goes, lest it count as its first click.
  convert abc
  click_in 20 8
  local got
  got=$(copied_by double_click "${input[@]}")
  [ "$got" = "Enter a value here." ] || fail "clipboard after a double click on the prompt: '$got'"
}

# Escape empties the boxes, a second Escape on the empty input ends the
# program, with exit status 0.
escape_twice_ends() {
  click_in "${input[@]}"
  xdotool key Escape
  sleep 0.2
  kill -0 "$app" 2>/dev/null || fail "the first Escape ended the program"
  xdotool key Escape
  wait_until eval '! kill -0 "$app" 2>/dev/null' || fail "the second Escape did not end the program"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "exit status $status"
}
