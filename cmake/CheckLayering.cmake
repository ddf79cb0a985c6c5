# SPDX-License-Identifier: MIT
# lunacal is a library that any program may load, so nothing under lunacal/ may use the program's
# folders (chart/, naming/, app/). Checked whenever the build is configured:
#   name_check_lunacal_layering()
# fails when a target defined under lunacal/ links a target of this project defined elsewhere, or
# when a source file under lunacal/ includes a header of the program.

function(name_check_lunacal_layering)
  set(lunacal_dirs ${PROJECT_SOURCE_DIR}/lunacal)
  if(TARGET lunacal_tool)
    list(APPEND lunacal_dirs ${PROJECT_SOURCE_DIR}/lunacal/tool)
  endif()
  foreach(dir ${lunacal_dirs})
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${targets})
      get_target_property(libraries ${target} LINK_LIBRARIES)
      get_target_property(interface_libraries ${target} INTERFACE_LINK_LIBRARIES)
      foreach(library IN LISTS libraries interface_libraries)
        if(NOT TARGET "${library}")
          continue()
        endif()
        get_target_property(aliased ${library} ALIASED_TARGET)
        if(aliased)
          set(library ${aliased})
        endif()
        # Found packages (GoogleTest, Threads) are not the program's.
        get_target_property(imported ${library} IMPORTED)
        if(imported)
          continue()
        endif()
        get_target_property(library_dir ${library} SOURCE_DIR)
        string(FIND "${library_dir}/" "${PROJECT_SOURCE_DIR}/" in_project)
        string(FIND "${library_dir}/" "${PROJECT_SOURCE_DIR}/lunacal/" in_lunacal)
        if(in_project EQUAL 0 AND NOT in_lunacal EQUAL 0)
          message(FATAL_ERROR "${target} (lunacal/) links ${library} of ${library_dir}: "
            "nothing in lunacal/ may use the program's folders")
        endif()
      endforeach()
    endforeach()
  endforeach()

  file(GLOB_RECURSE sources ${PROJECT_SOURCE_DIR}/lunacal/*.h ${PROJECT_SOURCE_DIR}/lunacal/*.c
    ${PROJECT_SOURCE_DIR}/lunacal/*.cpp)
  foreach(source ${sources})
    file(STRINGS ${source} program_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](chart|naming|app)/")
    if(program_includes)
      message(FATAL_ERROR "${source} includes a header of the program: ${program_includes}")
    endif()
  endforeach()
endfunction()
