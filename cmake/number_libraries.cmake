# fast_float reads numbers and {fmt} writes them, header only, on every
# target: the host, MinGW-w64 and emscripten compile the same lines, and no
# program gains a run-time library. Their headers are found on the build
# machine and copied into the build tree, so that a cross build sees those
# two libraries and nothing else of the host's include folder.
foreach(header IN ITEMS fast_float/fast_float.h fmt/format.h)
  cmake_path(GET header PARENT_PATH library)
  string(TOUPPER "LUMBRIX_${library}_INCLUDE_DIR" variable)
  find_path(${variable} ${header} PATHS /usr/local/include /usr/include NO_CMAKE_FIND_ROOT_PATH
            DOC "The folder holding ${header}")
  if(NOT ${variable})
    message(FATAL_ERROR "${header} not found: install libfast-float-dev and libfmt-dev, "
                        "or set ${variable}")
  endif()
  file(COPY ${${variable}}/${library} DESTINATION ${PROJECT_BINARY_DIR}/number_libraries)
endforeach()

add_library(lumbrix_number_libraries INTERFACE)
target_include_directories(lumbrix_number_libraries SYSTEM
                           INTERFACE ${PROJECT_BINARY_DIR}/number_libraries)
# A fixed thousands separator keeps {fmt} from compiling in its locale
# support, which the program never asks for: nothing of std::locale is
# reached, and the WebAssembly is a third smaller.
target_compile_definitions(lumbrix_number_libraries INTERFACE FMT_HEADER_ONLY
                                                              "FMT_STATIC_THOUSANDS_SEPARATOR=','")
