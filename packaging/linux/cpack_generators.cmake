# Read by cpack once for each generator it runs.
if(CPACK_GENERATOR STREQUAL "DEB")
  # Staged under DESTDIR with the real prefix, so that paths written at
  # install time (the desktop entry's Exec) are the installed ones.
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)

  # Without dpkg-shlibdeps (dpkg-dev), or the file program it runs, cpack
  # would still make a .deb, but one that names no library it needs and
  # cannot start where Qt is missing: stop instead.
  find_program(LUMBRIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
  find_program(LUMBRIX_FILE file)
  if(NOT LUMBRIX_DPKG_SHLIBDEPS OR NOT LUMBRIX_FILE)
    message(FATAL_ERROR "The Debian package needs dpkg-shlibdeps and file to find the libraries "
                        "it depends on: apt-get install dpkg-dev file")
  endif()
endif()
