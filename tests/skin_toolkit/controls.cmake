# Check and radio boxes, the combo box, the tab strip and page control, and
# the flat image button: their rules without Qt (also under
# ThreadSanitizer), then the controls on the offscreen platform.
set(PROJECT_TEST_LABELS tsan)
project_add_test(skin_toolkit_controls_logic_test SOURCES controls_logic_test.cpp LIBS kwokit_logic)
unset(PROJECT_TEST_LABELS)

if(COMMAND project_add_ui_test)
  project_add_ui_test(skin_toolkit_controls_test SOURCES controls_test.cpp LIBS KwoKit)
  project_add_ui_test(skin_toolkit_image_button_test SOURCES image_button_test.cpp LIBS KwoKit)
endif()
