#!/usr/bin/env bash
# Builds the packages twice from the last commit, with scripts/package in two
# clones that differ in all a build must not depend on: the folder (one with
# a space), the umask, the locale, the time zone, the time of day and, run as
# root, the user. Prints each package's checksums; fails unless the builds
# are identical bit for bit, showing what differs inside (diffoscope).
# Usage: reproducible_check.sh [REPOSITORY]   (default: this one)
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/lib.sh"
source "$here/../../scripts/lib.sh"
repo=$(realpath "${1:-$here/../..}")

need_packages "${REPRODUCIBLE_PACKAGES[@]}"
need_locale de_DE.UTF-8

scratch
chmod 755 "$work"
one=$work/one/lumbrix
two="$work/second build/lumbrix"
git clone -q "$repo" "$one"
git clone -q "$repo" "$two"
other_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R nobody:nogroup "$work/second build"
  other_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$work/second build")
fi

# Tokyo's time zone as a POSIX rule, which needs no time zone data.
(cd "$one" && umask 022 && LC_ALL=C.UTF-8 TZ=UTC scripts/package >"$work/one.err" 2>&1) ||
  fail "scripts/package failed in $one"
(cd "$two" && umask 002 && LC_ALL=de_DE.UTF-8 TZ=JST-9 "${other_user[@]}" scripts/package \
  >"$work/two.err" 2>&1) || fail "scripts/package failed in $two"
rm "$work"/*.err

differ=()
for a in "$one"/build-package/lumbrix_*.deb \
  "$one"/build-package-windows/lumbrix-*-windows-x64.{exe,zip} \
  "$one"/build-package-web/lumbrix-*-web.zip; do
  b=$two${a#"$one"}
  [ -f "$a" ] && [ -f "$b" ] || fail "a package is missing: $a"
  sha256sum "$a" "$b" | sed "s|$work/||"
  if ! cmp -s "$a" "$b"; then
    differ+=("${a##*/}")
    diffoscope --text - --max-text-report-size 200000 "$a" "$b" || true
  fi
done
[ ${#differ[@]} -eq 0 ] || fail "not reproducible: ${differ[*]} (what differs is shown above)"
echo "The packages are reproducible."
