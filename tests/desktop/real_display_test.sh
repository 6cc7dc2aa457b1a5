#!/usr/bin/env bash
# Starts the program on a real X display (Xvfb), uses it as a person would
# with xdotool, and reads the result back through the clipboard.
# Usage: real_display_test.sh PATH_TO_LUMBRIX
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/use_window.sh"
scratch

start_xvfb "$work" || exit 1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

stand_in_browser
PATH=$work/bin:$PATH "$program" 2>"$work/stderr" &
app=$!
pids+=($app)

find_window
check_fixed_size 163 57
check_centred
check_close_only
# Fusion's colours: the boxes' white, the result row in the window's grey.
check_rows_colours '#FFFFFF' '#EFEFEF'

icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort | tr '\n' ' ')
[ "$icons" = "Icon (32 x 32) Icon (48 x 48) " ] || fail "window icon sizes: $icons"

drive_window
double_click_selects_all
escape_twice_ends
echo "real display test passed"
