# cmake -DROOT=<source dir> -P CheckIncludePaths.cmake
# Holds the project's sources to its include rule: a quoted include names the
# header's path from ROOT, except the libraries' installed headers, which are
# included by the names they install under. No two headers share a file name.
# Prints each include that breaks the rule and fails if there is one.
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

set(installed_headers
  tarnex.h plc_reply.h plc_register_map.h quodel.h quodel_vars.h
  window_messages.h platform_export.h)
set(folders platform transport controller_comm screen_comm skin_toolkit
  display_app controller_editor tools tests bench)

set(sources "")
set(headers "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c)
  list(APPEND sources ${found})
  file(GLOB_RECURSE found_headers RELATIVE ${ROOT} ${ROOT}/${folder}/*.h)
  list(APPEND headers ${found_headers})
endforeach()

set(faults 0)
foreach(source IN LISTS sources)
  file(STRINGS ${ROOT}/${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" name "${line}")
    if(name IN_LIST installed_headers)
      continue()
    endif()
    if(NOT EXISTS ${ROOT}/${name})
      message("${source}: #include \"${name}\" does not name a path from the top of the tree")
      math(EXPR faults "${faults} + 1")
    endif()
  endforeach()
endforeach()

set(seen "")
foreach(header IN LISTS headers)
  get_filename_component(base ${header} NAME)
  if(base IN_LIST seen)
    message("${header}: another header is named ${base}")
    math(EXPR faults "${faults} + 1")
  endif()
  list(APPEND seen ${base})
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include rule fault(s)")
endif()
