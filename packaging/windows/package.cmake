# The Windows installer and portable zip, from the cross build; included by
# packaging/CMakeLists.txt:
#   cpack            lumbrix-1.03.0005-windows-x64.exe (NSIS)
#   cpack -G ZIP     lumbrix-1.03.0005-windows-x64.zip
# The program file carries its own icon and version record, and needs no
# DLLs beyond Windows' own, so it is all there is to install.

install(TARGETS lumbrix RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
# Add/Remove Programs shows the version as the program file's properties do.
set(CPACK_PACKAGE_VERSION ${LUMBRIX_VERSION_TEXT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Converts between light wavelength and photon energy")
set(CPACK_PACKAGE_FILE_NAME lumbrix-${LUMBRIX_VERSION_TEXT}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
# One key for every version, so a newer installer updates the same entry.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The Start-menu shortcut: lumbrix.exe, shown as "Lumbrix".
set(CPACK_PACKAGE_EXECUTABLES lumbrix ${PROJECT_NAME})

set(CPACK_NSIS_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_NSIS_DISPLAY_NAME ${PROJECT_NAME})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_INSTALLED_ICON_NAME lumbrix.exe)
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/window/resources/lumbrix.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/window/resources/lumbrix.ico)
set(CPACK_NSIS_URL_INFO_ABOUT ${LUMBRIX_HOMEPAGE_URL})
set(CPACK_NSIS_HELP_LINK ${LUMBRIX_HOMEPAGE_URL})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for a 64-bit program: it installs into the 64-bit
# Program Files and registry, and runs under a 64-bit-only Wine. FileFunc
# gives GetSize, for the size Add/Remove Programs shows.
string(CONFIGURE [=[
Target amd64-unicode
!include FileFunc.nsh
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
!define MAKER_KEY "Software\@CPACK_PACKAGE_VENDOR@"
!define OWN_KEY "Software\@CPACK_PACKAGE_VENDOR@\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@"
]=] CPACK_NSIS_DEFINES @ONLY)
# What the template leaves out of the Add/Remove Programs entry: the size in
# KB, where the program is, how to remove it silently, and NoModify and
# NoRepair as the DWORDs Windows reads (the template writes strings).
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [=[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
]=])
# The template removes Lumbrix's own key but leaves the maker's, empty. Ours
# goes first, so the maker's is empty when asked; the template then finds
# the Start-menu folder where it was installed by default.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [=[
  DeleteRegKey SHCTX "${OWN_KEY}"
  DeleteRegKey /ifempty SHCTX "${MAKER_KEY}"
]=])
# Written into CPack's settings as they are, backslashes and all.
set(CPACK_VERBATIM_VARIABLES ON)

# The installer keeps no file times, so that the same source makes the same
# installer; the installed files take the time they are installed.
string(APPEND CPACK_NSIS_DEFINES "\n  SetDateSave off")
