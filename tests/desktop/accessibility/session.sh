#!/usr/bin/env bash
# Runs a command on a private desktop with accessibility on: its own Xvfb,
# window manager, session bus and accessibility bus, and a scratch home, so
# that switching accessibility on changes no setting of the person running
# it and no screen reader of theirs hears anything.
# Usage: session.sh COMMAND [ARG...]
set -euo pipefail
source "$(dirname "$0")/../../support/lib.sh"
source "$(dirname "$0")/../../support/xvfb.sh"
scratch

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON
# The window and Orca follow the language; the tests read the English texts.
export LANG=C.UTF-8
unset LANGUAGE LC_ALL LC_MESSAGES

start_xvfb "$work"

# Focus and window activation, which screen readers follow, need a window
# manager.
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)

dbus-run-session -- bash -c '
  set -euo pipefail
  bus() { dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus "$@" >/dev/null; }
  for _ in $(seq 100); do bus org.a11y.Bus.GetAddress 2>/dev/null && break; sleep 0.05; done
  bus org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true
  exec "$@"' session "$@" > >(grep -v "SpiRegistry daemon" || true) \
  2> >(grep -v -e "^dbus-daemon" >&2 || true)
