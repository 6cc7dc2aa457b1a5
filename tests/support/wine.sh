# Wine for the tests: a scratch prefix of the caller's own, booted before the
# program under test starts and ended with the test. Sourced, not run.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# wine_scratch WINE64: the test's scratch folder (lib.sh) with a Wine prefix
# in it, its server ended with the test.
wine_scratch() {
  scratch
  use_wine "$1" "$work"
  at_exit+=(stop_wine)
}

# use_wine WINE64 FOLDER: the prefix goes into FOLDER; sets wine and
# wineserver. Everything Wine writes stays in FOLDER: a home and XDG folders
# of its own beside the prefix, and Wine's menu builder, which would copy the
# installer's Start-menu shortcuts and icons into the desktop's menus, off.
use_wine() {
  wine=$1
  export WINEPREFIX=$2/prefix WINEDEBUG=-all HOME=$2/home
  export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
  mkdir -p "$HOME"
  # No offers to install Mono or Gecko into the new prefix either.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wineserver=$(dirname "$wine")/wineserver64
  [ -x "$wineserver" ] || wineserver=wineserver
}

# Boots the prefix, so that the program's own start is not mistaken for it.
boot_wine() { "$wine" wineboot --init >/dev/null 2>&1 && "$wineserver" -w; }

stop_wine() { "$wineserver" -k 2>/dev/null || true; }
