# SPDX-License-Identifier: MIT
# lunacal/lunacal.def is the one list of the library's 18 exports, with the bytes of their arguments
# (the stdcall decoration) and their fixed ordinals; the version script, the x64 module-definition
# file and the Debian symbols file are made from it, and a test ties the header and the tests'
# list to it.
#   lunacal_export_names(<var>)        the plain names, in ordinal order
#   lunacal_export_definitions(<var>)  "name@bytes;ordinal" pairs flattened, in ordinal order

set(LUNACAL_EXPORTS_SOURCE ${CMAKE_CURRENT_LIST_DIR}/../lunacal/lunacal.def)

function(lunacal_export_definitions out)
  file(STRINGS ${LUNACAL_EXPORTS_SOURCE} lines REGEX "^[ \t]+[A-Za-z_]+@[0-9]+[ \t]+@[0-9]+[ \t]*$")
  set(definitions)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "([A-Za-z_]+@[0-9]+)[ \t]+@([0-9]+)" matched "${line}")
    list(APPEND definitions ${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
  endforeach()
  set(${out} ${definitions} PARENT_SCOPE)
endfunction()

function(lunacal_export_names out)
  lunacal_export_definitions(definitions)
  set(names)
  foreach(definition IN LISTS definitions)
    if(definition MATCHES "^([A-Za-z_]+)@")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
