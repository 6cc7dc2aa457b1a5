#!/usr/bin/env bash
# Runs a command with DISPLAY on a private Xvfb, ended with it: for browsers
# that have no headless mode. Usage: on_xvfb.sh COMMAND...
here=$(dirname "$0")
source "$here/../support/lib.sh"
source "$here/../support/xvfb.sh"
scratch
start_xvfb "$work" || exit 1
"$@"
