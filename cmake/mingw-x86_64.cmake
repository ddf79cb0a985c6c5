# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with the Debian mingw-w64 compilers (win32 thread model).
#   cmake -S . -B build-windows64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
