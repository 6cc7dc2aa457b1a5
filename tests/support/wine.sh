# Wine for the tests: a scratch prefix of the caller's own, booted before the
# program under test starts and ended with the test. Sourced, not run.

# use_wine WINE64 FOLDER: the prefix goes into FOLDER; sets wine and wineserver.
use_wine() {
  wine=$1
  export WINEPREFIX=$2/prefix WINEDEBUG=-all
  # No offers to install Mono or Gecko into the new prefix.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver=$(dirname "$wine")/wineserver64
  [ -x "$wineserver" ] || wineserver=wineserver
}

# Boots the prefix, so that the program's own start is not mistaken for it.
boot_wine() { "$wine" wineboot --init >/dev/null 2>&1 && "$wineserver" -w; }

stop_wine() { "$wineserver" -k 2>/dev/null || true; }
