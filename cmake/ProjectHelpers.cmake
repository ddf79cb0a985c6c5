# SPDX-License-Identifier: MIT
# One way to declare a unit-test executable and a benchmark, so every folder registers them alike.
#
#   name_add_test(<target> [WINDOWS] SOURCES <files...> LIBRARIES <libs...>)
#     a GoogleTest executable (gtest_main linked in) whose tests ctest discovers before running them;
#     with WINDOWS also built in a Windows tree, where ctest runs it whole under wine.
#   name_add_benchmark(<target> SOURCES <files...> LIBRARIES <libs...>)
#     a Google Benchmark executable, run by `make bench` (ctest label "bench"), never by `make test`.

function(name_add_test target)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;LIBRARIES" ${ARGN})
  if(NAME_HOST_TESTS)
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  elseif(NAME_WINDOWS_TESTS AND ARG_WINDOWS)
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    target_link_options(${target} PRIVATE -static)
    # One wine start per suite: listing and running each case by itself would start one per case.
    add_test(NAME ${target} COMMAND ${target})
    name_wine_test(${target})
  endif()
endfunction()

function(name_add_benchmark target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT NAME_HOST_TESTS)
    return()
  endif()
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} benchmark::benchmark benchmark::benchmark_main)
  # The results stay in the tree as JSON too, for reports that set them beside other runs.
  add_test(NAME ${target} COMMAND ${target} --benchmark_counters_tabular=true
    --benchmark_out=${CMAKE_BINARY_DIR}/${target}.json --benchmark_out_format=json)
  set_tests_properties(${target} PROPERTIES LABELS bench)
endfunction()

#   name_gzip(<target> <input> <output>)
#     a target of the default build that writes <output>, <input> compressed the way Debian wants
#     manual pages and changelogs: gzip -9n, without the name and time, so packages are
#     reproducible.
function(name_gzip target input output)
  find_program(NAME_GZIP gzip REQUIRED)
  add_custom_command(OUTPUT ${output}
    COMMAND ${NAME_GZIP} -9nc ${input} > ${output}
    DEPENDS ${input}
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
