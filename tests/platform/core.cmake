# Tests of the Qt-free platform helpers.
project_add_test(platform_cp936_test SOURCES cp936_test.cpp LIBS platform_core)
project_add_test(platform_number_text_test SOURCES number_text_test.cpp LIBS platform_core)
project_add_test(platform_file_io_test SOURCES file_io_test.cpp LIBS platform_core test_support)
