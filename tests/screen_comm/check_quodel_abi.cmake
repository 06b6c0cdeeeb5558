# The screen command library's binary interface:
#   cmake -DLIBRARY=<libQuodel.so> -DNM=<nm> -DREADELF=<readelf> -P check_quodel_abi.cmake
# Its dynamic symbols define the 18 Qd_ functions and nothing else (no
# transport class leaks out to bind with another library's copy), and it
# needs no Qt library.
set(exports
  Qd_AddRequestParm Qd_AddSetParmBool Qd_AddSetParmByte Qd_AddSetParmDword
  Qd_AddSetParmFloat Qd_AddSetParmInt Qd_AddSetParmString Qd_AddSetParmWord
  Qd_CloseComm Qd_CloseTcp Qd_CloseUdp Qd_GetAck Qd_GetVarsPointer
  Qd_MakeCmdHeader Qd_OpenComm Qd_OpenTcp Qd_OpenUdp Qd_SendCmd)

function(run_tool output)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}")
  endif()
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

run_tool(defined_text ${NM} -D --defined-only ${LIBRARY})
string(REGEX MATCHALL "[^ \n]+\n" names "${defined_text}")
set(defined)
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  if(NOT name MATCHES "^[0-9a-fA-F]+$" AND NOT name MATCHES "^[A-Za-z]$")
    list(APPEND defined "${name}")
  endif()
endforeach()
list(SORT defined)
list(SORT exports)
if(NOT defined STREQUAL exports)
  message(FATAL_ERROR "dynamic symbols differ\n  wanted: ${exports}\n  found:  ${defined}")
endif()

run_tool(all_text ${NM} -D -C ${LIBRARY})
if(all_text MATCHES "transport::|quodel::")
  message(FATAL_ERROR "internal classes are visible:\n${all_text}")
endif()

run_tool(dynamic_text ${READELF} -d ${LIBRARY})
if(dynamic_text MATCHES "NEEDED[^\n]*Qt")
  message(FATAL_ERROR "the library needs Qt:\n${dynamic_text}")
endif()
message(STATUS "exports: ${defined}")
