#!/usr/bin/env bash
# Starts lumbrix.exe under Wine on a real X display (Xvfb), uses it as a
# person would with xdotool, and reads the result back through the clipboard.
# Then reads the window's texts in each language as Windows picks it.
# Usage: window_test.sh PATH_TO_WINE64 PATH_TO_LUMBRIX_EXE PATH_TO_TEXTS_PROBE_EXE
set -euo pipefail
program=$2
probe=$3
source "$(dirname "$0")/../support/use_window.sh"
source "$(dirname "$0")/../support/wine.sh"
scratch
use_wine "$1" "$work"
at_exit+=(stop_wine)

start_xvfb "$work" || exit 1
boot_wine || fail "wineboot failed"

"$wine" "$program" 2>"$work/stderr" &
app=$!
pids+=($app)

find_window
# No sizing border: the client area, 163 by 57 at 96 dpi.
check_fixed_size 163 57

convert_and_copy
escape_twice_ends

# Wine takes the user's language from LANG and LC_ALL; a language the string
# table lacks gets English. The probe prints the Copy result item, the words
# spoken for a value of zero and the home-page warning's first line.
while IFS='|' read -r lang expected; do
  said=$(LANG=$lang LC_ALL=$lang "$wine" "$probe" 2>>"$work/stderr" | tr -d '\r' | head -n 3 | paste -sd '|')
  [ "$said" = "$expected" ] || fail "texts for $lang: '$said', expected '$expected'"
done <<'EOF'
C.UTF-8|Copy result|No result for a value of zero|The home page could not be opened:
de_DE.UTF-8|Ergebnis kopieren|Kein Ergebnis für den Wert null|Die Website konnte nicht geöffnet werden:
fr_FR.UTF-8|Copier le résultat|Pas de résultat pour une valeur nulle|Impossible d’ouvrir le site :
es_ES.UTF-8|Copiar resultado|Sin resultado para el valor cero|No se pudo abrir la web:
it_IT.UTF-8|Copy result|No result for a value of zero|The home page could not be opened:
EOF
echo "window test under Wine passed"
