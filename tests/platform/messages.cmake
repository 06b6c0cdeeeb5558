# Window messages: handle table, sends and posts across threads, the two
# stock receivers, and the C header compiled as C.
project_add_test(window_messages_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/window_messages_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_messages_from_c.c
  LIBS platform_shared)
