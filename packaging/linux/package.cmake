# Install layout and the Debian package; included by packaging/CMakeLists.txt.
# The id, version, maker and home page come from the top-level
# CMakeLists.txt, so the desktop entry, the metadata, the icons and the
# package can never disagree.
include(GNUInstallDirs)
set(here ${CMAKE_CURRENT_LIST_DIR})

install(TARGETS lumbrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
# A stripped program also loses the compiler's version notes, as Debian's
# own packages do.
if(CMAKE_OBJCOPY AND NOT APPLE AND NOT WIN32)
  install(
    CODE "if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lumbrix\")
          endif()")
endif()

# Desktop entry, metadata and theme icons are how Linux desktops find a program.
if(UNIX AND NOT APPLE)
  # The release date shown by software centres; kept here beside the version
  # it belongs to. Change both together.
  set(LUMBRIX_RELEASE_DATE "2026-12-08")

  # The screenshot lives on the home page, whether or not its URL ends in a slash.
  string(REGEX REPLACE "/+$" "" homepage "${LUMBRIX_HOMEPAGE_URL}")
  set(LUMBRIX_SCREENSHOT_URL "${homepage}/screenshot.png")

  # The generic name, comment and summary in English and in each language of
  # translations/*.ts, where desktop_texts.hpp has them marked for lupdate.
  find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LUMBRIX_TS_FILES})
  foreach(form "desktop;Desktop entry;LUMBRIX_DESKTOP_TEXTS"
               "metainfo;AppStream;LUMBRIX_APPSTREAM_TEXTS")
    list(GET form 0 kind)
    list(GET form 1 context)
    list(GET form 2 variable)
    execute_process(
      COMMAND "${Python3_EXECUTABLE}" "${PROJECT_SOURCE_DIR}/translations/ts_texts.py" ${kind}
              ${context} ${LUMBRIX_TS_FILES}
      OUTPUT_VARIABLE ${variable} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  endforeach()

  configure_file(${here}/lumbrix.metainfo.xml.in ${LUMBRIX_APP_ID}.metainfo.xml @ONLY)

  # The menu starts the program by its full path, known only once the prefix
  # is: a prefix such as ~/.local has its bin/ on no desktop's PATH. The
  # path is filled in at install time.
  set(desktop ${CMAKE_CURRENT_BINARY_DIR}/installed/${LUMBRIX_APP_ID}.desktop)
  set(LUMBRIX_EXEC "@LUMBRIX_EXEC@")
  configure_file(${here}/lumbrix.desktop.in ${desktop}.in @ONLY)
  install(CODE "set(LUMBRIX_EXEC \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/lumbrix\")
                configure_file(\"${desktop}.in\" \"${desktop}\" @ONLY)")
  install(FILES ${desktop} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${LUMBRIX_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # Named by the id so the desktop entry's Icon= key finds them in the theme.
  # Software centres want 64 px or more.
  foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/window/resources/lumbrix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${LUMBRIX_APP_ID}.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/window/resources/lumbrix.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${LUMBRIX_APP_ID}.svg)

  # The manual page, the licence and the release notes, compressed as Debian
  # wants them (gzip -9n: no name or time stamp, so the bytes are stable).
  find_program(GZIP gzip REQUIRED)
  configure_file(${here}/lumbrix.1.in lumbrix.1 @ONLY)
  set(docs)
  foreach(file ${CMAKE_CURRENT_BINARY_DIR}/lumbrix.1 ${here}/changelog
               ${here}/changelog.Debian)
    get_filename_component(name ${file} NAME)
    add_custom_command(
      OUTPUT ${name}.gz
      COMMAND ${GZIP} -9n -c ${file} > ${name}.gz
      DEPENDS ${file}
      COMMENT "Compressing ${name}")
    list(APPEND docs ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  endforeach()
  add_custom_target(lumbrix_docs ALL DEPENDS ${docs})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lumbrix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${here}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
                ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lumbrix)
  install(FILES ${here}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME lumbrix)
endif()

# Debian package: cpack -G DEB in the build folder.
set(CPACK_PACKAGE_NAME lumbrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "converter between light wavelength and photon energy")
set(CPACK_PACKAGE_DESCRIPTION
    "Lumbrix converts between the wavelength of light in nanometres and the\n"
    "energy of its photons in electronvolts, both ways: energy = 1240 /\n"
    "wavelength, and wavelength = 1240 / energy.\n"
    ".\n"
    "One small window: type a value and press Enter. A value from 0 to 35 is\n"
    "read as an energy in eV, a value above 35 up to 9999999 as a wavelength\n"
    "in nm, and the converted value appears beneath it with the units beside\n"
    "both. It works from the keyboard alone and with a screen reader.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_CONTACT "${LUMBRIX_MAKER} <${LUMBRIX_CONTACT}>")

set(CPACK_DEBIAN_PACKAGE_NAME lumbrix)
# The version the program and its metadata show; dpkg accepts it as it is
# and compares each number by value, so 1.03.0005 sorts like 1.3.5. The
# Debian revision counts packagings of one release.
set(CPACK_DEBIAN_PACKAGE_VERSION ${LUMBRIX_VERSION_TEXT})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies are read from the binary by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The boxes are sized for the condensed face; without it the program still
# works with a fallback font. The icon theme gives the icons their index.
# Qt's own translations put its menus and buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-extra, hicolor-icon-theme, qt6-translations-l10n")
# Folders as Debian wants them (rwxr-xr-x), whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# Settings and checks for each generator, read when cpack runs.
set(CPACK_PROJECT_CONFIG_FILE ${here}/cpack_generators.cmake)
