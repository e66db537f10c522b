# Each Windows program's string table, written from its saver's table as it
# is built (tools/string_table.cpp): the generators run on this machine, so a
# native build of the logic and the generators (ZAMVEL_STRING_TOOL, the
# host's compiler, no optimisation: it is built for a few runs) sits beside
# the cross build, and builds again only what a changed table needs.
include(ExternalProject)

set(ZAMVEL_STRINGS_DIR ${CMAKE_BINARY_DIR}/strings)
set(_string_tool_dir ${CMAKE_BINARY_DIR}/string-tool)
set(_string_tool_savers)
foreach(saver orbel worms glyra2 glyra)
  if(saver IN_LIST ZAMVEL_AREAS)
    list(APPEND _string_tool_savers ${_string_tool_dir}/bin/string_table_${saver})
  endif()
endforeach()
ExternalProject_Add(string_tool
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${_string_tool_dir}
  CMAKE_GENERATOR Ninja
  CMAKE_CACHE_ARGS -DZAMVEL_STRING_TOOL:BOOL=ON -DCMAKE_BUILD_TYPE:STRING= "-DZAMVEL_AREAS:STRING=${ZAMVEL_AREAS}"
  BUILD_BYPRODUCTS ${_string_tool_savers}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# NAME_strings.rc in ZAMVEL_STRINGS_DIR, which NAME.rc includes; the target
# NAME_strings makes it.
function(zamvel_string_table saver)
  set(out ${ZAMVEL_STRINGS_DIR}/${saver}_strings.rc)
  set(tool ${_string_tool_dir}/bin/string_table_${saver})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZAMVEL_STRINGS_DIR}
    COMMAND ${tool} ${out}
    DEPENDS string_tool ${tool}
    COMMENT "Writing ${saver}'s string table" VERBATIM)
  add_custom_target(${saver}_strings DEPENDS ${out})
endfunction()

# Compiles a saver's resource script (NAME/NAME.rc) into target: the files
# it includes are its dependencies, its generated string table among them.
function(zamvel_saver_resources target saver)
  set(rc ${PROJECT_SOURCE_DIR}/${saver}/${saver}.rc)
  set(included ${PROJECT_SOURCE_DIR}/${saver}/resource.h ${PROJECT_SOURCE_DIR}/${saver}/${saver}.ico
    ${ZAMVEL_STRINGS_DIR}/${saver}_strings.rc)
  if(saver MATCHES "^glyra")
    list(APPEND included ${PROJECT_SOURCE_DIR}/textsettings/settings_dialog.rc
      ${PROJECT_SOURCE_DIR}/textsettings/settings_dialog_ids.h)
  endif()
  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${included}" INCLUDE_DIRECTORIES ${ZAMVEL_STRINGS_DIR})
  add_dependencies(${target} ${saver}_strings)
endfunction()
