# Checks what the shared platform library exports:
#   cmake -DLIBRARY=<libplatform_shared.so> -DNM=<nm> -P check_platform_shared_abi.cmake
# Only the window-message API and the executable-directory functions; the
# standard library's own template instances that come along are passed over.
set(allowed
  "^SendMessageA$"
  "^PostMessage$"
  "^platform::RegisterWindow\\("
  "^platform::UnregisterWindow\\("
  "^platform::Delivery::"
  "^platform::MessageReceiver::"
  "^platform::SendGate::"
  "^(typeinfo|typeinfo name|vtable) for platform::MessageReceiver$"
  "^platform::ExecutableDir(\\[abi:cxx11\\])?\\("
  "^platform::SetExecutableDirFor[A-Za-z]*\\("
)
set(required SendMessageA PostMessage platform::RegisterWindow platform::UnregisterWindow platform::ExecutableDir)

execute_process(COMMAND ${NM} -D -C --defined-only ${LIBRARY}
  OUTPUT_VARIABLE nm_out RESULT_VARIABLE nm_rc)
if(NOT nm_rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE ";" "," nm_out "${nm_out}")
string(REPLACE "\n" ";" lines "${nm_out}")
set(unexpected)
set(found)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9a-fA-F]* +[A-Za-z] (.+)$")
    continue()
  endif()
  set(symbol "${CMAKE_MATCH_1}")
  if(symbol MATCHES "^((typeinfo|typeinfo name|vtable|guard variable) for )?std::" OR symbol MATCHES "^_")
    continue()
  endif()
  set(ok FALSE)
  foreach(pattern IN LISTS allowed)
    if(symbol MATCHES "${pattern}")
      set(ok TRUE)
    endif()
  endforeach()
  if(ok)
    list(APPEND found "${symbol}")
  else()
    list(APPEND unexpected "${symbol}")
  endif()
endforeach()
if(unexpected)
  list(JOIN unexpected "\n  " text)
  message(FATAL_ERROR "the library exports more than its API:\n  ${text}")
endif()
foreach(name IN LISTS required)
  set(present FALSE)
  foreach(symbol IN LISTS found)
    string(FIND "${symbol}" "${name}" at)
    if(at EQUAL 0)
      set(present TRUE)
    endif()
  endforeach()
  if(NOT present)
    message(FATAL_ERROR "the library does not export ${name}")
  endif()
endforeach()
list(LENGTH found count)
message(STATUS "${count} exported symbols, all of the API")
