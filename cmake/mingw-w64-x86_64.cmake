# Cross-builds Lumbrix for 64-bit Windows with Debian's MinGW-w64 (the
# POSIX-threads variant, g++-mingw-w64-x86-64-posix), and runs the built
# programs under Wine (wine64) so that CTest can run the Windows tests here.
#
#   cmake -S . -B build-windows --toolchain cmake/mingw-w64-x86_64.cmake

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything static, libgcc, libstdc++ and winpthread included, so the
# programs need no DLLs beyond Windows' own.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Debian keeps wine64 out of PATH unless the wine package is installed too.
find_program(LUMBRIX_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
if(LUMBRIX_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine_run.sh"
                                    "${LUMBRIX_WINE64}")
endif()
