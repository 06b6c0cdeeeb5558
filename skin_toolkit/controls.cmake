# Further toolkit controls: their Qt-free rules and the controls.
target_sources(kwokit_logic PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scroll_bar_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/combo_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_box_logic.cpp
  ${CMAKE_CURRENT_LIST_DIR}/navigator_logic.cpp
)
target_sources(KwoKit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/kwo_image_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_list_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_scroll_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_string_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/speed_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/db_navigator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/opaque_paint.cpp
)
# The skinned MDI frame: where cascade and tile put the children.
target_sources(kwokit_logic PRIVATE ${CMAKE_CURRENT_LIST_DIR}/mdi_layout.cpp)
# The skinned MDI frame, and the ring and menu-bar painting it shares with
# the form frame.
target_sources(KwoKit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frame_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mdi_frame.cpp
)
