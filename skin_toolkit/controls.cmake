# Check and radio boxes, the combo box, the tab strip and page control, and
# the flat image button.
target_sources(kwokit_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/check_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_logic.cpp
)
target_sources(KwoKit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/image_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_check_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_combo_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_tab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_page_control.cpp
)
