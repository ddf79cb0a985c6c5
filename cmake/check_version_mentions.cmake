# SPDX-License-Identifier: MIT
# The files that cannot take the version from the build say the build's version: the manual page,
# the newest release of the metainfo, the Windows manifest and the download names in the README.
#   cmake -DVERSION=<major.minor> -DSOURCE_DIR=<top of the sources> -P check_version_mentions.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "." "\\." version_pattern "${VERSION}")

# Every match of `pattern` in `file` must carry the version as its first group, and one must exist.
function(expect_version file pattern)
  file(READ "${SOURCE_DIR}/${file}" text)
  string(REGEX MATCHALL "${pattern}" mentions "${text}")
  if(NOT mentions)
    message(FATAL_ERROR "${file}: no version found by ${pattern}")
  endif()
  foreach(mention IN LISTS mentions)
    string(REGEX REPLACE "${pattern}" "\\1" found "${mention}")
    if(NOT found STREQUAL VERSION)
      message(FATAL_ERROR "${file} says ${found} in \"${mention}\", but the build is ${VERSION}")
    endif()
  endforeach()
  message(STATUS "${file}: ${VERSION}")
endfunction()

expect_version(app/name.1 "\"name ([0-9.]+)\"")
expect_version(app/win32/resources/name.manifest "name=\"tavren.name\" version=\"([0-9]+\\.[0-9]+)\\.0\\.0\"")
expect_version(README.md "name-([0-9]+\\.[0-9]+)-(win32|win64|setup|x64)")

# Only the newest release, the first listed, is this build's.
file(READ "${SOURCE_DIR}/app/org.tavren.name.metainfo.xml" metainfo)
string(REGEX MATCH "<release version=\"([^\"]+)\"" newest "${metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
  message(FATAL_ERROR "the metainfo's newest release is ${CMAKE_MATCH_1}, but the build is ${VERSION}")
endif()
