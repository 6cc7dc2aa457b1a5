#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix of its own, booted
# for this run and removed after it, so no test sees another's state.
# Usage: wine_run.sh WINE64 PROGRAM [ARGUMENTS...]
set -uo pipefail
wine=$1
shift
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/lumbrix-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all
# No offers to install Mono or Gecko into the new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" "$@"
status=$?
"$(dirname "$wine")/wineserver64" -k 2>/dev/null || wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
exit $status
