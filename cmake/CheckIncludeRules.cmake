# cmake -DROOT=<source dir> -P CheckIncludeRules.cmake
# Holds the project's sources to its include rules: a quoted include names
# the header's path from ROOT, except the libraries' installed headers, which
# are included by the names they install under; no two headers share a file
# name; and the layers include only downwards (the table below). Prints each
# include that breaks a rule and fails if there is one.
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

set(installed_headers
  tarnex.h plc_reply.h plc_register_map.h quodel.h quodel_vars.h
  window_messages.h platform_export.h)
set(folders platform transport controller_comm screen_comm skin_toolkit
  display_app controller_editor tools tests bench)

# Folder: the folders its files never include. The build's links enforce the
# same order for code; this holds headers to it too. Programs and libraries
# never reach into the tools, tests or benchmarks; the platform and the
# toolkit know nothing of the link libraries; the libraries nothing of the
# toolkit; the two programs nothing of each other; the models nothing of
# their windows.
set(programs "display_app/,controller_editor/")
set(aside "tools/,tests/,bench/")
set(layer_rules
  "platform/:transport/,controller_comm/,screen_comm/,skin_toolkit/,${programs},${aside}"
  "transport/:controller_comm/,screen_comm/,skin_toolkit/,${programs},${aside}"
  "controller_comm/:screen_comm/,skin_toolkit/,${programs},${aside}"
  "screen_comm/:controller_comm/,skin_toolkit/,${programs},${aside}"
  "skin_toolkit/:transport/,controller_comm/,screen_comm/,${programs},${aside}"
  "skin_toolkit/rules/:platform/ui/,skin_toolkit/controls/,skin_toolkit/frames/,skin_toolkit/gallery/"
  "display_app/:controller_editor/,${aside}"
  "display_app/model/:platform/ui/,skin_toolkit/,display_app/views/,display_app/dialogs/"
  "controller_editor/:display_app/,skin_toolkit/,${aside}"
  "controller_editor/model/:platform/ui/,controller_editor/forms/"
  "tools/:tests/,bench/")

set(sources "")
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE found RELATIVE ${ROOT} ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c)
  list(APPEND sources ${found})
endforeach()
set(headers ${sources})
list(FILTER headers INCLUDE REGEX "\\.h$")

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
      continue()
    endif()
    foreach(rule IN LISTS layer_rules)
      string(REPLACE ":" ";" rule_parts "${rule}")
      list(GET rule_parts 0 folder)
      list(GET rule_parts 1 forbidden)
      string(FIND "${source}" "${folder}" at)
      if(NOT at EQUAL 0)
        continue()
      endif()
      string(REPLACE "," ";" forbidden "${forbidden}")
      foreach(below IN LISTS forbidden)
        string(FIND "${name}" "${below}" at)
        if(at EQUAL 0)
          message("${source}: #include \"${name}\" reaches from ${folder} into ${below}")
          math(EXPR faults "${faults} + 1")
        endif()
      endforeach()
    endforeach()
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
