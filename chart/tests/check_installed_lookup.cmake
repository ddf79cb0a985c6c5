# SPDX-License-Identifier: MIT
# Installs lunacal under a scratch DESTDIR, puts the lookup probe where the program would go, and
# runs it there: it must reach the library through the configured bindir -> libdir path alone.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DPROBE=... -DBINDIR=<absolute bindir> -P ...
file(REMOVE_RECURSE ${WORK_DIR})
set(ENV{DESTDIR} ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --component lunacal
  RESULT_VARIABLE result OUTPUT_QUIET)
unset(ENV{DESTDIR})
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installing lunacal failed")
endif()
file(COPY ${PROBE} DESTINATION ${WORK_DIR}${BINDIR})
get_filename_component(probe_name ${PROBE} NAME)
execute_process(COMMAND ${WORK_DIR}${BINDIR}/${probe_name}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
  OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0 OR NOT output STREQUAL "1999")
  message(FATAL_ERROR "the installed probe failed (${result}): ${output}${error}")
endif()
