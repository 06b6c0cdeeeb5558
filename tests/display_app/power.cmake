# The power management view and its dialogs: window tests on a recording
# fake of the link library, and runs of the view against the simulated
# controller over loopback UDP and a pty, through the real link library.
if(NOT DEFINED MORVIT_POWER_VIEW_LIB)
  set(MORVIT_POWER_VIEW_LIB morvit_app)
endif()
set(power_tests ${CMAKE_CURRENT_LIST_DIR}/power)

project_add_ui_test(morvit_power_dialogs_test
  SOURCES ${power_tests}/power_dialogs_test.cpp
  LIBS ${MORVIT_POWER_VIEW_LIB} morvit_fake_plc_api)

project_add_ui_test(morvit_power_view_test
  SOURCES ${power_tests}/power_view_test.cpp
  LIBS ${MORVIT_POWER_VIEW_LIB} morvit_fake_plc_api)

project_add_ui_test(morvit_power_integration_test
  SOURCES ${power_tests}/power_integration_test.cpp
  LIBS ${MORVIT_POWER_VIEW_LIB} morvit_fake_plc_api test_support controller_sim)
# Each case waits for the simulated controller with 5 s deadlines.
set_tests_properties(morvit_power_integration_test PROPERTIES TIMEOUT 180)
