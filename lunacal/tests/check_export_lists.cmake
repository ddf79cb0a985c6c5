# SPDX-License-Identifier: MIT
# The lists of the exports agree with their one source, lunacal.def: the declarations of lunacal.h,
# the tests' list in exports_library.h, and each list made from the .def for this build (the
# version script on Linux, the x64 module-definition file), names and ordinals alike.
#   cmake -DGENERATED=<file>... -P check_export_lists.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/LunacalExports.cmake)
lunacal_export_names(expected)
list(LENGTH expected count)
if(NOT count EQUAL 18)
  message(FATAL_ERROR "lunacal.def lists ${count} exports, not 18")
endif()

function(compare what actual)
  if(NOT "${actual}" STREQUAL "${expected}")
    message(FATAL_ERROR "${what} lists the exports as\n  ${actual}\nbut lunacal.def as\n  ${expected}")
  endif()
  message(STATUS "${what}: the 18 exports of lunacal.def")
endfunction()

file(READ ${CMAKE_CURRENT_LIST_DIR}/../lunacal.h header)
string(REGEX MATCHALL "LUNACAL_CALL [A-Za-z_]+\\(" declared "${header}")
list(TRANSFORM declared REPLACE "LUNACAL_CALL ([A-Za-z_]+)\\(" "\\1")
list(SORT declared)
compare("lunacal.h, sorted" "${declared}")

file(READ ${CMAKE_CURRENT_LIST_DIR}/exports_library.h tests_header)
string(REGEX MATCHALL "X\\([A-Za-z_]+\\)" listed "${tests_header}")
list(TRANSFORM listed REPLACE "X\\(([A-Za-z_]+)\\)" "\\1")
compare("exports_library.h" "${listed}")

foreach(generated IN LISTS GENERATED)
  file(READ ${generated} text)
  if(generated MATCHES "\\.map$")
    # The names of the global block, one a line; the semicolons stay out of CMake's lists.
    string(REGEX MATCHALL "\n    [A-Za-z_]+" names "${text}")
    list(TRANSFORM names STRIP)
    compare(${generated} "${names}")
  else()
    # name @ordinal lines; the ordinals must be those of lunacal.def.
    lunacal_export_definitions(definitions)
    set(wanted)
    while(definitions)
      list(POP_FRONT definitions decorated ordinal)
      string(REGEX REPLACE "@[0-9]+$" "" name "${decorated}")
      list(APPEND wanted "${name} @${ordinal}")
    endwhile()
    string(REGEX MATCHALL "\n  [A-Za-z_]+ @[0-9]+" lines "${text}")
    list(TRANSFORM lines REPLACE "\n  " "")
    if(NOT "${lines}" STREQUAL "${wanted}")
      message(FATAL_ERROR "${generated} lists\n  ${lines}\nbut lunacal.def\n  ${wanted}")
    endif()
    message(STATUS "${generated}: the 18 exports of lunacal.def with their ordinals")
  endif()
endforeach()
