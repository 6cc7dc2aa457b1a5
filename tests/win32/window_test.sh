#!/usr/bin/env bash
# Starts lumbrix.exe under Wine on a real X display (Xvfb), uses it as a
# person would with xdotool, reads the results back through the clipboard,
# and hears what it announces as a screen reader would, from another process
# (winevent_probe.exe). Then, in each language as Windows picks it, reads the
# window's texts (texts_probe.exe) and starts the window itself.
# Usage: window_test.sh WINE64 LUMBRIX_EXE WINEVENT_PROBE_EXE TEXTS_PROBE_EXE
set -euo pipefail
program=$2
probe=$3
texts_probe=$4
source "$(dirname "$0")/../support/use_window.sh"
source "$(dirname "$0")/../support/wine.sh"
wine_scratch "$1"

start_xvfb "$work" || exit 1
boot_wine || fail "wineboot failed"

"$wine" "$probe" >"$work/heard" 2>"$work/probe.err" &
pids+=($!)
wait_until grep -q '^ready$' "$work/heard" || fail "the WinEvent hook did not start"

# Wine's menus are white like the boxes: a colour of their own shows on screen
# which row has it.
"$wine" reg add 'HKCU\Control Panel\Colors' /v Menu /d '255 240 200' /f >/dev/null 2>&1 ||
  fail "could not set the menus' colour"
# Wine's winebrowser finds the stand-in browser in PATH.
stand_in_browser
start_program() {
  PATH=$work/bin:$PATH "$wine" "$program" 2>>"$work/stderr" </dev/null &
  app=$!
  pids+=($app)
}
start_program

find_window
# No sizing border: the client area, 163 by 57 at 96 dpi.
check_fixed_size 163 57
check_close_only
check_rows_colours '#FFFFFF' '#FFF0C8'

# Every Enter in the input is heard, the same result twice as well: the
# result with its unit, the result alone, no result for zero, or the prompt.
xdotool windowfocus --sync "$window"
for value in 2 2 -5 0.0 abc ""; do convert "$value"; done
expected=$(printf '%s\n' "620 nm" "620 nm" "-248" "No result for a value of zero" \
  "Enter a value here." "Enter a value here.")
heard() { tail -n +2 "$work/heard"; }
wait_until eval '[ "$(heard | wc -l)" -ge 6 ]' || fail "heard only: $(heard | tr '\n' '|')"
[ "$(heard)" = "$expected" ] || fail "heard $(heard | tr '\n' '|'), not $(tr '\n' '|' <<<"$expected")"

drive_window
escape_twice_ends

# Wine takes the user's language from LANG and LC_ALL; a language the string
# table lacks gets English. texts_probe prints the Copy result item, the words
# spoken for a value of zero and the home-page warning's first line. Then the
# window itself in that language and region: numbers with the region's
# decimal separator (the first column), the words it says for zero, and the warning
# it shows with no program for https addresses (texts_probe reads it).
"$wine" reg delete 'HKCR\https' /f >/dev/null 2>&1 || fail "could not remove the https handler"
shown_warning() { "$wine" "$texts_probe" Lumbrix 2>>"$work/stderr" </dev/null | tr -d '\r'; }
while IFS='|' read -r lang point copy zero warning; do
  expected="$copy|$zero|$warning"
  said=$(LANG=$lang LC_ALL=$lang "$wine" "$texts_probe" 2>>"$work/stderr" | tr -d '\r' | head -n 3 | paste -sd '|')
  [ "$said" = "$expected" ] || fail "texts for $lang: '$said', expected '$expected'"
  LANG=$lang LC_ALL=$lang start_program
  find_window
  xdotool windowfocus --sync "$window"
  expect_box "${input[@]}" "632${point}8" "$lang: the value it opens with"
  convert "632${point}8"
  expect_box "${result[@]}" "1${point}95954487989886" "$lang: 632${point}8 converted"
  count=$(heard | wc -l)
  convert 00
  wait_until eval '[ "$(heard | wc -l)" -gt "$count" ]' || fail "$lang: nothing heard for 00"
  [ "$(heard | tail -n 1)" = "$zero" ] || fail "$lang: heard '$(heard | tail -n 1)' for 00"
  click_in "${button[@]}"
  wait_until eval 'shown=$(shown_warning)' || fail "$lang: no warning when the home page did not open"
  [ "$shown" = "$warning"$'\n'https://brimsel.example/ ] || fail "$lang: the warning says '$shown'"
  wait_until eval '[ "$(xdotool search --onlyvisible --name "^Lumbrix$" | wc -l)" = 1 ]' ||
    fail "$lang: the warning stayed open"
  escape_twice_ends
done <<'EOF'
C.UTF-8|.|Copy result|No result for a value of zero|The home page could not be opened:
de_DE.UTF-8|,|Ergebnis kopieren|Kein Ergebnis für den Wert null|Die Website konnte nicht geöffnet werden:
fr_FR.UTF-8|,|Copier le résultat|Pas de résultat pour une valeur nulle|Impossible d’ouvrir le site :
es_ES.UTF-8|,|Copiar resultado|Sin resultado para el valor cero|No se pudo abrir la web:
it_IT.UTF-8|,|Copy result|No result for a value of zero|The home page could not be opened:
EOF
echo "window test under Wine passed"
