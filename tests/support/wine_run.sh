#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix of its own, booted
# for this run and removed after it, so no test sees another's state.
# Usage: wine_run.sh WINE64 PROGRAM [ARGUMENTS...]
set -uo pipefail
source "$(dirname "$0")/wine.sh"
wine_scratch "$1"
shift
"$wine" "$@"
