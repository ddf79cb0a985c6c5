# SPDX-License-Identifier: MIT
# lunacal.pc as a Debian package installs it (prefix /usr): pkg-config must give the absolute
# multiarch libdir and the include directory, and the library's one version.
#   cmake -DPC_TEMPLATE=... -DLUNACAL_VERSION=... -DWORK_DIR=... -DGENERATOR=... -P check_pc.cmake

function(run output_variable)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}${error}")
  endif()
  set(${output_variable} "${output}" PARENT_SCOPE)
endfunction()

function(expect what got wanted)
  if(NOT got STREQUAL wanted)
    message(FATAL_ERROR "${what}: got '${got}', wanted '${wanted}'")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
run(ignored ${CMAKE_COMMAND} -S ${CMAKE_CURRENT_LIST_DIR} -B ${WORK_DIR} -G ${GENERATOR}
  -DCMAKE_INSTALL_PREFIX=/usr -DPC_TEMPLATE=${PC_TEMPLATE} -DLUNACAL_VERSION=${LUNACAL_VERSION})
file(READ ${WORK_DIR}/multiarch.txt multiarch)
if(multiarch STREQUAL "")
  message(FATAL_ERROR "the compiler reports no multiarch directory; this check expects Debian")
endif()

find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_LIBDIR} ${WORK_DIR})
unset(ENV{PKG_CONFIG_PATH})
unset(ENV{PKG_CONFIG_SYSROOT_DIR})

# Kept system directories show what the file says; by default pkg-config drops them, as it should.
set(ENV{PKG_CONFIG_ALLOW_SYSTEM_CFLAGS} 1)
set(ENV{PKG_CONFIG_ALLOW_SYSTEM_LIBS} 1)
run(flags ${PKG_CONFIG} --cflags --libs lunacal)
expect("flags with the system directories" "${flags}"
  "-I/usr/include -L/usr/lib/${multiarch} -llunacal")
unset(ENV{PKG_CONFIG_ALLOW_SYSTEM_CFLAGS})
unset(ENV{PKG_CONFIG_ALLOW_SYSTEM_LIBS})
run(flags ${PKG_CONFIG} --cflags --libs lunacal)
expect("flags" "${flags}" "-llunacal")

run(libdir ${PKG_CONFIG} --variable=libdir lunacal)
expect("libdir" "${libdir}" "/usr/lib/${multiarch}")
run(version ${PKG_CONFIG} --modversion lunacal)
expect("version" "${version}" "${LUNACAL_VERSION}")
