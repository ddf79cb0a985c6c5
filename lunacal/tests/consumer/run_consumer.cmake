# SPDX-License-Identifier: MIT
# Installs the built lunacal (both components, as both packages would) under a scratch DESTDIR and
# builds consumer.c against it twice: once with find_package(lunacal) and once with the flags
# pkg-config gives, the sysroot pointing it at the scratch tree. Both programs must run.
#   cmake -DBUILD_DIR=... -DINSTALL_PREFIX=... -DWORK_DIR=... -DCONSUMER_DIR=... -DC_COMPILER=...
#         -DGENERATOR=...
#         [-DC_FLAGS=...] [-DLINKER_FLAGS=...] -P run_consumer.cmake

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "failed (${result}): ${ARGN}\n${output}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
# lunacal.pc names the configured prefix, so the files must land under it, not under --prefix.
set(root ${WORK_DIR}/root)
set(ENV{DESTDIR} ${root})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --component lunacal)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --component lunacal_dev)
unset(ENV{DESTDIR})
set(prefix ${root}${INSTALL_PREFIX})

file(GLOB_RECURSE config_files ${prefix}/*/lunacal-config.cmake)
file(GLOB_RECURSE pc_files ${prefix}/*/lunacal.pc)
if(NOT config_files OR NOT pc_files)
  message(FATAL_ERROR "the install lacks lunacal-config.cmake or lunacal.pc")
endif()
# The vocabulary header comes with the development files, and the CMake package offers it.
file(GLOB_RECURSE vocabulary_headers ${prefix}/*/lunacal/vocabulary.h)
file(GLOB_RECURSE target_files ${prefix}/*/lunacalTargets.cmake)
file(READ ${target_files} targets_text)
if(NOT vocabulary_headers OR NOT targets_text MATCHES "lunacal::vocabulary")
  message(FATAL_ERROR "the install lacks lunacal/vocabulary.h or the target lunacal::vocabulary")
endif()
list(GET pc_files 0 pc_file)
get_filename_component(pc_dir ${pc_file} DIRECTORY)
get_filename_component(lib_dir ${pc_dir} DIRECTORY)

# The sanitizer run time of a sanitized build must be linked into the consumer as well, with its
# C++ part, which clang leaves out of a C link.
if(LINKER_FLAGS MATCHES "-fsanitize" AND C_COMPILER MATCHES "clang")
  string(APPEND LINKER_FLAGS " -fsanitize-link-c++-runtime -lstdc++")
endif()
separate_arguments(c_flags UNIX_COMMAND "${C_FLAGS}")
separate_arguments(linker_flags UNIX_COMMAND "${LINKER_FLAGS}")

run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/cmake-build -G ${GENERATOR}
  -DCMAKE_C_COMPILER=${C_COMPILER} -DCMAKE_PREFIX_PATH=${prefix}
  "-DCMAKE_C_FLAGS=${C_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/cmake-build)
run(${WORK_DIR}/cmake-build/consumer)

find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_LIBDIR} ${pc_dir})
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${root})
execute_process(COMMAND ${PKG_CONFIG} --cflags --libs lunacal
  OUTPUT_VARIABLE pc_flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know lunacal")
endif()
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
run(${C_COMPILER} ${c_flags} ${CONSUMER_DIR}/consumer.c -o ${WORK_DIR}/pc-consumer ${pc_flags}
  ${linker_flags} -Wl,-rpath,${lib_dir})
run(${WORK_DIR}/pc-consumer)
