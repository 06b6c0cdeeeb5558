# Tests of the Qt-free platform helpers.
project_add_test(platform_cp936_test SOURCES cp936_test.cpp LIBS platform_core)
project_add_test(platform_number_text_test SOURCES number_text_test.cpp LIBS platform_core)
project_add_test(platform_tcolor_test SOURCES tcolor_test.cpp LIBS platform_core)
project_add_test(platform_file_io_test SOURCES file_io_test.cpp LIBS platform_core test_support)
project_add_test(platform_ini_file_test
  SOURCES ini_file_read_test.cpp ini_file_write_test.cpp
  LIBS platform_core test_support)

project_add_fuzz(fuzz_ini_file
  SOURCE fuzz_ini_file.cpp
  SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/ini_seeds ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_corpus
    ${PROJECT_SOURCE_DIR}/tests/controller_editor/model/fixtures
  LIBS platform_core)
