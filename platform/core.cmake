# platform_core: the Qt-free helpers both programs share (INI files, code
# page 936 text, whole-file access, number formatting).
add_library(platform_core STATIC
  cp936.cpp
  file_io.cpp
  ini_file.cpp
  number_text.cpp
  tcolor.cpp
)
target_include_directories(platform_core PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(platform_core PUBLIC platform_shared)
set_target_properties(platform_core PROPERTIES POSITION_INDEPENDENT_CODE ON)

# Fails the configure when a target links Qt, directly or through the
# libraries it links. For the libraries that must stay Qt-free.
function(platform_require_no_qt target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^Qt[0-9]*::" OR current MATCHES "(^|/)lib[Qq]t[0-9]")
      message(FATAL_ERROR "${target} must not link Qt, but links ${current}")
    endif()
    if(TARGET ${current})
      get_target_property(aliased ${current} ALIASED_TARGET)
      if(aliased)
        list(APPEND pending ${aliased})
      endif()
      get_target_property(type ${current} TYPE)
      set(props INTERFACE_LINK_LIBRARIES)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        list(APPEND props LINK_LIBRARIES)
      endif()
      foreach(prop ${props})
        get_target_property(libs ${current} ${prop})
        if(libs)
          foreach(lib ${libs})
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
            list(APPEND pending ${lib})
          endforeach()
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()

# Checked once every directory has added its targets and links.
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL platform_require_no_qt platform_core)
