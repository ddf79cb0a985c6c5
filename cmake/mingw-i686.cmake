# SPDX-License-Identifier: MIT
# Cross build for 32-bit Windows with the Debian mingw-w64 compilers (win32 thread model).
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Every program and the DLL compute in SSE2 double precision. With the x87 unit a sum such as a
# moment plus half a second stays in an 80-bit register, so a DATE value's rounding to the second
# would depend on register allocation instead of being IEEE double arithmetic as on every other
# build. Any processor that runs this Windows has SSE2. The stack is realigned where SSE needs it,
# since callers built by other compilers may call the DLL with a stack aligned to 4 bytes only.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
