# The same source gives the same program wherever it is built: the compiler
# writes the source and build folders as "." into __FILE__ and the debug
# information (which the build id is computed over), and the linker writes
# no link time into Windows programs. Times that tools still record come
# from SOURCE_DATE_EPOCH, which scripts/package sets: among them strip's,
# which stamps lumbrix.exe again when the packages strip it.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  # The build folder may lie inside the source folder: the map given last is
  # tried first.
  add_compile_options("-ffile-prefix-map=${PROJECT_SOURCE_DIR}=."
                      "-ffile-prefix-map=${PROJECT_BINARY_DIR}=.")
endif()
if(MINGW)
  add_link_options(LINKER:--no-insert-timestamp)
endif()
