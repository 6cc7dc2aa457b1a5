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
# Program Files and registry, and runs under a 64-bit-only Wine.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")

# The installer keeps no file times, so that the same source makes the same
# installer; the installed files take the time they are installed.
string(APPEND CPACK_NSIS_DEFINES "\n  SetDateSave off")
