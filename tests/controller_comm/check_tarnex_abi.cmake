# Checks the controller link library's binary interface:
#   cmake -DLIBRARY=<libTarnex.so> -DNM=<nm> -DREADELF=<readelf> -P check_tarnex_abi.cmake
# The dynamic symbol table defines exactly the exported functions, and no Qt
# library is needed.
set(expected
  CMD_PowerOffDO
  CMD_PowerOffLC
  CMD_PowerOnDO
  CMD_PowerOnLC
  CMD_Read
  CMD_SetAW
  CMD_SetHumLimit
  CMD_SetLogic
  CMD_SetTemLimit
  CMD_SetTimeCheck
  CMD_SetTimerEnable
  CMD_Write
  PLC_Cleanup
  PLC_CloseDev
  PLC_GetCmdCount
  PLC_GetData
  PLC_OpenDev
  PLC_QSend
  PLC_Send
  PLC_SetNotify
  PLC_Startup
)

execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
  OUTPUT_VARIABLE nm_out RESULT_VARIABLE nm_rc)
if(NOT nm_rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" lines "${nm_out}")
set(defined)
foreach(line IN LISTS lines)
  if(line MATCHES "^[0-9a-fA-F]* *[A-Za-z] ([^ ]+)$")
    list(APPEND defined "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(SORT defined)
if(NOT defined STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ\n  expected: ${expected}\n  found:    ${defined}")
endif()

execute_process(COMMAND ${READELF} -d ${LIBRARY}
  OUTPUT_VARIABLE dyn_out RESULT_VARIABLE dyn_rc)
if(NOT dyn_rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${LIBRARY}")
endif()
if(dyn_out MATCHES "NEEDED[^\n]*Qt")
  message(FATAL_ERROR "the library links Qt:\n${dyn_out}")
endif()
message(STATUS "exports: ${defined}")
