# The Windows program file's resources: the spectrum icon and the version
# record, both taken from the project's one version (project() VERSION and
# LUMBRIX_VERSION_TEXT), name and maker.
#
#   include(cmake/windows_resources.cmake)
#   lumbrix_add_windows_resources(lumbrix)
#
# Paths come from CMAKE_CURRENT_FUNCTION_LIST_DIR rather than variables set at
# include time, so the functions work from any directory that includes this.

# Writes the resource script, version and icon path filled in, to <output>.
# Kept apart from the target function so that the resource tests compile the
# very script a Windows build uses, on any host.
function(lumbrix_configure_windows_resources output)
  foreach(var PROJECT_NAME PROJECT_VERSION_MAJOR PROJECT_VERSION_MINOR PROJECT_VERSION_PATCH
              PROJECT_VERSION_TWEAK LUMBRIX_VERSION_TEXT LUMBRIX_MAKER)
    if("${${var}}" STREQUAL "")
      # An empty part would give a malformed or blank version record.
      message(FATAL_ERROR "${var} must be set before the Windows resources are configured")
    endif()
  endforeach()
  # Absolute, so the resource compiler finds the icon whatever its working folder.
  cmake_path(SET LUMBRIX_ICON_PATH NORMALIZE
             "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../window/resources/lumbrix.ico")
  configure_file("${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../window/resources/lumbrix.rc.in" "${output}" @ONLY)
endfunction()

# Adds the icon and version record to <target> when building for Windows;
# elsewhere it does nothing.
function(lumbrix_add_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}.rc")
  lumbrix_configure_windows_resources("${rc}")
  target_sources(${target} PRIVATE "${rc}")
  # The resource compiler embeds the icon; rebuild when the icon changes.
  cmake_path(SET icon NORMALIZE "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../window/resources/lumbrix.ico")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${icon}")
endfunction()
