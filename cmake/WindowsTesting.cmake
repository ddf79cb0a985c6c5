# SPDX-License-Identifier: MIT
# Testing a Windows tree: ctest starts every Windows program of a test under wine, in the tree's own
# headless prefix, and the same ctest runs the checks that need no wine. Labels tell them apart:
#   wine     needs wine to run programs of this tree's architecture
#   static   reads the built files only (PE tables, imports, zip, reproducible build)
# so `ctest -L static` is what a machine that cannot run the architecture still checks
# (scripts/windows-check decides).
#
#   name_wine_test(<test> [DESKTOP])  marks a test as run under wine; DESKTOP for one that shows
#                                     windows or message boxes or changes the settings, which run
#                                     one at a time
#   name_static_test(<test>)  marks a test as a check without wine

# A test whose command is a target of this tree runs as `wine-run BUILD_DIR wine program.exe`:
# wine-run prepares the prefix once and gives every run the same environment and a time limit.
set(CMAKE_CROSSCOMPILING_EMULATOR
  ${PROJECT_SOURCE_DIR}/scripts/wine-run -t 1800 ${PROJECT_BINARY_DIR} wine)

# Debian ships GoogleTest as sources (package googletest), built here with the cross compiler.
# The mingw of the win32 thread model has no std::mutex or std::condition_variable; GoogleTest
# needs them only for its Notification, which tests/windows/gtest_notification.h supplies with a
# Win32 event, so everything else of GoogleTest keeps its own Win32 threading and death tests.
set(NAME_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, for the Windows tests")
if(NOT EXISTS ${NAME_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "the Windows tests need GoogleTest's sources in ${NAME_GOOGLETEST_SOURCE} "
    "(Debian package googletest; scripts/install-deps windows installs it)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(name_gtest_notification ${PROJECT_SOURCE_DIR}/cmake/windows/gtest_notification.h)
add_subdirectory(${NAME_GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
target_sources(gtest PRIVATE ${PROJECT_SOURCE_DIR}/cmake/windows/gtest_notification.cpp)
foreach(gtest_target gtest gtest_main)
  # GoogleTest's own sources are not held to this project's warnings.
  target_compile_options(${gtest_target} PRIVATE -w)
endforeach()
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC "SHELL:-include ${name_gtest_notification}")

# The prefix is made (about 15 s, once per tree) before the first wine test and wineserver is
# waited for after the last, so that no wine process outlives the run.
add_test(NAME wine_prefix COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix ${PROJECT_BINARY_DIR})
add_test(NAME wine_settle
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run -t 120 ${PROJECT_BINARY_DIR} wineserver -w)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS wine)
set_tests_properties(wine_settle PROPERTIES FIXTURES_CLEANUP wine LABELS wine)

function(name_wine_test test)
  # From the folder of the programs and lunacal.dll, as the Windows programs were always started.
  set_tests_properties(${test} PROPERTIES LABELS wine FIXTURES_REQUIRED wine TIMEOUT 1800
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  if("DESKTOP" IN_LIST ARGN)
    set_tests_properties(${test} PROPERTIES RESOURCE_LOCK wine_desktop)
  endif()
endfunction()

function(name_static_test test)
  set_tests_properties(${test} PROPERTIES LABELS static TIMEOUT 600)
endfunction()
