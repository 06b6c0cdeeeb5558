# Further toolkit controls, added to the two toolkit libraries.
target_sources(KwoKit PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/kwo_image_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kwo_string_grid.cpp
)
