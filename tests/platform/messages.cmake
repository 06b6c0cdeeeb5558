# Window messages: handle table, sends and posts across threads, the two
# stock receivers, and the C header compiled as C.
project_add_test(window_messages_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/window_messages_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_messages_from_c.c
  LIBS window_receivers)

# The shared library exports only its API (no test windows).
add_test(NAME platform_shared_abi
  COMMAND ${CMAKE_COMMAND} -DLIBRARY=$<TARGET_FILE:platform_shared> -DNM=${CMAKE_NM}
    -P ${CMAKE_CURRENT_LIST_DIR}/check_platform_shared_abi.cmake)
set_tests_properties(platform_shared_abi PROPERTIES TIMEOUT 60 LABELS "${PROJECT_TEST_LABELS}")
