# The display program's windows, on the offscreen platform.
if(COMMAND project_add_ui_test AND TARGET morvit_app)
  project_add_ui_test(morvit_views_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/views/main_window_test.cpp
    LIBS morvit_app)

  # The real program starts and keeps running until it is stopped: timeout
  # ends it with 124, while a crash or an early exit gives anything else.
  add_test(NAME morvit_runs_offscreen
    COMMAND sh -c "timeout 3 \"$0\"; test $? -eq 124" $<TARGET_FILE:Morvit>)
  set_tests_properties(morvit_runs_offscreen PROPERTIES TIMEOUT 30 LABELS none)
  project_ui_test_environment(morvit_runs_offscreen)
endif()

# The power management view, its dialogs and its runs against the simulated
# controller.
if(COMMAND project_add_ui_test AND TARGET morvit_app)
  include(${CMAKE_CURRENT_LIST_DIR}/power.cmake)
endif()
