#!/usr/bin/env bash
# Starts the program in a Wayland session (weston, headless, with XWayland)
# and checks where it opens: through XWayland when the session has one, on
# native Wayland when it has none, and where the user said.
# Usage: wayland_test.sh PATH_TO_LUMBRIX
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/lib.sh"
scratch

export XDG_RUNTIME_DIR=$work/runtime HOME=$work/home
mkdir -m 700 "$XDG_RUNTIME_DIR" "$HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# The pixman renderer, so that there are pixels to screenshoot; --debug lets
# weston-screenshooter take them. A plain background and no panel, so that
# the program's window is all a screenshot shows.
printf '[shell]\nbackground-color=0xff204060\npanel-position=none\n' >"$work/weston.ini"
# Qt's default name, so that a session known only by XDG_SESSION_TYPE can
# reach it (the runtime folder is the test's own).
socket=wayland-0
weston --backend=headless-backend.so --use-pixman --width=640 --height=400 --xwayland \
  --config="$work/weston.ini" --socket=$socket --idle-time=0 --debug --log="$work/weston.log" \
  2>"$work/weston.err" &
pids+=($!)
x_display() { grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" 2>/dev/null; }
wait_until x_display || fail "weston started no XWayland"
x=$(x_display | grep -o ':[0-9]*$')
session=(env WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland)

# Starts the program in the session with the given variables, as case NAME.
start() {
  local name=$1
  shift
  "${session[@]}" "$@" "$program" 2>"$work/$name.err" &
  app=$!
  pids+=($app)
}
x_window() { DISPLAY=$x lumbrix_window | grep .; }
stop() { kill "$app" && wait "$app" 2>/dev/null || true; }
# Takes a screenshot of the session as NAME.png (kept in $SCREENSHOTS if set)
# and checks that a window shows on the plain background; `empty NAME`
# checks that none does.
colours() {
  rm -f "$work"/wayland-screenshot*.png
  (cd "$work" && WAYLAND_DISPLAY=$socket timeout 10 weston-screenshooter >/dev/null 2>&1) || return 1
  local png=("$work"/wayland-screenshot*.png)
  [ -f "${png[0]}" ] || return 1
  mv "${png[0]}" "$work/$1.png"
  [ -z "${SCREENSHOTS:-}" ] || { mkdir -p "$SCREENSHOTS" && cp "$work/$1.png" "$SCREENSHOTS"; }
  convert "$work/$1.png" -format %k info:
}
shot() { [ "$(colours "$1")" -gt 20 ]; }
empty() { [ "$(colours "$1")" -le 2 ]; }

# A Wayland session with XWayland: the program is an X client there, with
# its fixed size, so the compositor's X window manager centres and titles it.
start xwayland DISPLAY=$x
wait_until x_window || fail "no Lumbrix window on XWayland"
hints=$(DISPLAY=$x xprop -id "$(x_window)" WM_NORMAL_HINTS)
grep -q "minimum size: 163 by 57" <<<"$hints" && grep -q "maximum size: 163 by 57" <<<"$hints" ||
  fail "size hints on XWayland: $hints"
wait_until shot xwayland || fail "no window in the screenshot of the XWayland case"
stop

# Either variable alone makes a Wayland session, and XWayland still comes
# first.
gone() { [ -z "$(x_window)" ]; }
for only in WAYLAND_DISPLAY=$socket XDG_SESSION_TYPE=wayland; do
  wait_until gone || fail "the last X window stayed"
  start "only-${only%%=*}" env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE "$only" DISPLAY=$x
  wait_until x_window || fail "with only $only, no Lumbrix window on XWayland"
  stop
done

# No X server: native Wayland rather than no window at all. The closed
# window fades out first.
wait_until empty closed || fail "the XWayland window stayed on screen after it closed"
start wayland
wait_until shot native-wayland || fail "no window in the screenshot without DISPLAY"
kill -0 "$app" 2>/dev/null || fail "without DISPLAY the program ended"
[ -z "$(x_window)" ] || fail "without DISPLAY the window is an X client"
stop

# The user's choice stands, even with an X server at hand.
start chosen DISPLAY=$x QT_QPA_PLATFORM=wayland
sleep 2
kill -0 "$app" 2>/dev/null || fail "with QT_QPA_PLATFORM=wayland the program ended"
[ -z "$(x_window)" ] || fail "with QT_QPA_PLATFORM=wayland the program opened on XWayland"
stop
echo "wayland test passed"
