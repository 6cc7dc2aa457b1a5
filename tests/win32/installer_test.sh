#!/usr/bin/env bash
# Installs Lumbrix silently under Wine as a Windows user's installer would,
# checks what it put where, then uninstalls silently and checks it is gone.
# Usage: installer_test.sh PATH_TO_WINE64 PATH_TO_INSTALLER
set -euo pipefail
installer=$2
source "$(dirname "$0")/../support/wine.sh"
wine_scratch "$1"

boot_wine || fail "wineboot failed"

program_files="$WINEPREFIX/drive_c/Program Files/Lumbrix"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lumbrix/Lumbrix.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumbrix'
maker_key='HKLM\Software\Brimsel Co.'

"$wine" "$installer" /S || fail "the installer exited $?"
"$wineserver" -w
[ -f "$program_files/lumbrix.exe" ] || fail "no lumbrix.exe under Program Files"
[ -f "$shortcut" ] || fail "no Start-menu shortcut: $(find "$WINEPREFIX/drive_c" -name '*.lnk')"
# Wine's menu builder is off: no desktop entry, menu or icon left the prefix.
desktop=$(find "$HOME" -name '*.desktop' -o -name '*.menu' -o -name '*.png' -o -name '*.xpm')
[ -z "$desktop" ] || fail "Wine wrote into the desktop's menus: $desktop"

# Add/Remove Programs shows the name, version, maker, icon and size from
# here, and reads NoModify and NoRepair only as DWORDs.
entry=$("$wine" reg query "$uninstall_key" 2>/dev/null | tr -d '\r') ||
  fail "no Add/Remove Programs entry"
for value in 'DisplayName +REG_SZ +Lumbrix' 'DisplayVersion +REG_SZ +1\.03\.0005' \
  'Publisher +REG_SZ +Brimsel Co\.' 'DisplayIcon +REG_SZ +C:\\Program Files\\Lumbrix\\lumbrix\.exe' \
  'InstallLocation +REG_SZ +C:\\Program Files\\Lumbrix' \
  'QuietUninstallString +REG_SZ +"C:\\Program Files\\Lumbrix\\Uninstall\.exe" /S' \
  'EstimatedSize +REG_DWORD +0x[0-9a-f]+' 'NoModify +REG_DWORD +0x1' 'NoRepair +REG_DWORD +0x1'; do
  grep -Eq "^ +$value$" <<<"$entry" || fail "Add/Remove Programs entry lacks $value: $entry"
done
# The size, in KB, is that of what was installed.
size=$(($(sed -n 's/^ *EstimatedSize *REG_DWORD *//p' <<<"$entry")))
installed=$(du -sk "$program_files" | cut -f1)
((size > installed / 2 && size < installed * 2)) || fail "EstimatedSize $size KB for $installed KB"

# The uninstaller runs a copy of itself and returns at once: wait for it.
"$wine" "$program_files/Uninstall.exe" /S || fail "the uninstaller exited $?"
"$wineserver" -w
[ ! -e "$program_files/lumbrix.exe" ] || fail "lumbrix.exe is still there after uninstalling"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there after uninstalling"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry stayed"
! "$wine" reg query "$maker_key" >/dev/null 2>&1 || fail "the maker's key stayed: $maker_key"
echo "installer test under Wine passed"
