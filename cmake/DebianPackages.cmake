# SPDX-License-Identifier: MIT
# The four Debian packages that `make package` builds (cpack in the package preset), one per
# install component:
#   name            component program: the program, desktop entry, icons, AppStream data, manual
#   liblunacal1     component lunacal: the shared library
#   liblunacal-dev  component lunacal_dev: header, .so link, CMake package, lunacal.pc, the Python
#                   module
#   lunacal         component lunacal_tool: the command-line tool and its manual
# Each carries its copyright file (the licence and the notice of third-party pieces) and the
# changelog where Debian looks for them, /usr/share/doc/<package>.

get_target_property(name_lunacal_soversion lunacal SOVERSION)
set(name_components program lunacal lunacal_dev lunacal_tool)
set(name_packages name liblunacal${name_lunacal_soversion} liblunacal-dev lunacal)

set(CPACK_PACKAGE_NAME name)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The tavren name authors")
set(CPACK_PACKAGE_CONTACT "The tavren name authors <name@example.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.example.com/")
set(CPACK_GENERATOR DEB)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/packages)
# The packages hold what this tree was configured for: lunacal.pc and the program's way to the
# library name the configured directories, so packaging under another prefix would break both.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(STATUS "Debian packages want CMAKE_INSTALL_PREFIX=/usr (the package preset); "
    "this tree would package under ${CMAKE_INSTALL_PREFIX}")
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${name_components})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE name)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The program loads the library at run time, which dpkg-shlibdeps cannot see, and -dev needs the
# library its .so link points at; both get "liblunacal1 (= version)". The tool is linked against
# the library, which this build has not installed for dpkg-shlibdeps to find, so it says so too.
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_COMPONENT_PROGRAM_DEPENDS lunacal)
set(CPACK_COMPONENT_LUNACAL_DEV_DEPENDS lunacal)
set(CPACK_COMPONENT_LUNACAL_TOOL_DEPENDS lunacal)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
# The Python module of -dev is of no use without an interpreter; Debian requires the dependency.
set(CPACK_DEBIAN_LUNACAL_DEV_PACKAGE_DEPENDS "python3:any")
# The window's texts are Chinese; without a CJK font they show as boxes.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "fonts-noto-cjk | fonts-arphic-uming | fonts-arphic-ukai")

# CPack puts the project's one-line description above each component's text unless the summary
# is left at CPack's default, so it is; the first line of each text below is that package's own.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "Chinese given names by five-grid numerology, and the birth chart
The program proposes Chinese given names for a newborn child: it searches
every combination of stroke counts for the given name, keeps those whose
five grids fall on auspicious numbers and whose three-talent configuration
is good, and lists the names of the first good combination. It also writes
the child's birth chart: the lunar date, the four pillars, their Nayin and
the five elements the chart lacks.")
set(CPACK_DEBIAN_LUNACAL_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LUNACAL_DESCRIPTION "Chinese lunar calendar library
lunacal converts Gregorian moments to lunar dates and back for 1901-2048,
gives the four sexagenary pillars of a moment and the moments of the 24
solar terms of 1880-2079, through 18 plain C functions.")
set(CPACK_DEBIAN_LUNACAL_TOOL_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_LUNACAL_TOOL_DESCRIPTION "Chinese lunar dates, four pillars and solar terms on the command line
lunacal prints the lunar date of a Gregorian moment with its four
sexagenary pillars, their Nayin and the solar term in force, the Gregorian
date of a lunar date, and the 24 solar terms of a year to the second, as
text or as JSON. It asks the library liblunacal1 through its exports.")
set(CPACK_DEBIAN_LUNACAL_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_LUNACAL_DEV_DESCRIPTION "Chinese lunar calendar library - development files
lunacal converts Gregorian moments to lunar dates and back for 1901-2048,
gives the four sexagenary pillars of a moment and the moments of the 24
solar terms of 1880-2079, through 18 plain C functions.
.
This package holds the C header, the CMake package, lunacal.pc for
pkg-config and a Python module that calls the library through ctypes.")

# Debian's copyright format: field text indented by one space, an empty line written " .". Done on
# the whole text, as a CMake list would swallow the text's own semicolons.
function(name_debian_field text output_variable)
  string(REGEX REPLACE "\n+$" "" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text "${text}")
  set(${output_variable} " ${text}" PARENT_SCOPE)
endfunction()

file(READ ${PROJECT_SOURCE_DIR}/LICENSE name_licence)
file(READ ${PROJECT_SOURCE_DIR}/NOTICE name_notice)
# The licence's own title and copyright line are said by the fields above it.
string(REGEX REPLACE "^MIT License\n\nCopyright[^\n]*\n\n" "" name_licence "${name_licence}")
name_debian_field("${name_licence}" name_licence_field)
name_debian_field("${name_notice}" name_notice_field)
set(name_debian_dir ${PROJECT_BINARY_DIR}/debian)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${name_debian_dir}/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${name_debian_dir}/changelog @ONLY)
name_gzip(name_debian_changelog ${name_debian_dir}/changelog ${name_debian_dir}/changelog.gz)

# The loader's cache is refreshed by dpkg's ldconfig trigger. The symbols file, the 18 exports of
# lunacal.def, lets packages built against the library depend on it precisely.
include(LunacalExports)
lunacal_export_names(name_export_names)
set(name_symbols "liblunacal.so.${name_lunacal_soversion} liblunacal${name_lunacal_soversion} #MINVER#
* Build-Depends-Package: liblunacal-dev\n")
foreach(name IN LISTS name_export_names)
  string(APPEND name_symbols " ${name}@Base ${PROJECT_VERSION}\n")
endforeach()
file(WRITE ${name_debian_dir}/symbols "${name_symbols}")
file(WRITE ${name_debian_dir}/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_LUNACAL_PACKAGE_CONTROL_EXTRA ${name_debian_dir}/symbols ${name_debian_dir}/triggers)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/liblunacal1.lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME liblunacal${name_lunacal_soversion}
  COMPONENT lunacal)

foreach(component package IN ZIP_LISTS name_components name_packages)
  string(TOUPPER ${component} component_upper)
  set(CPACK_DEBIAN_${component_upper}_PACKAGE_NAME ${package})
  install(FILES ${name_debian_dir}/copyright ${name_debian_dir}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
endforeach()

include(CPack)
