# The display program's windows (morvit_app) and the program itself.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_library(morvit_app STATIC
  ${CMAKE_CURRENT_LIST_DIR}/views/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/views/monitor_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/views/power_management_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/views/temperature_trace_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/views/video_processor_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/views/view_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs/auto_detect.cpp
)
set_target_properties(morvit_app PROPERTIES AUTOMOC ON)
target_include_directories(morvit_app PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}/views
  ${CMAKE_CURRENT_LIST_DIR}/dialogs)
target_link_libraries(morvit_app PUBLIC KwoKit platform_ui morvit_model)

# The program. It finds the link libraries beside itself.
add_executable(Morvit ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(Morvit PRIVATE morvit_app KwoKit platform_ui morvit_model morvit_tarnex_api Tarnex)
set_target_properties(Morvit PROPERTIES
  BUILD_WITH_INSTALL_RPATH ON
  INSTALL_RPATH "$ORIGIN")

# The cabinet power management view's parts and dialogs, on the controller
# link library.
target_sources(morvit_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/views/power_view_parts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs/dialog_parts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs/input_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs/plc_communication_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs/week_day.cpp)
target_link_libraries(morvit_app PUBLIC morvit_tarnex_api)
