# Helpers for the project's tests and fuzz targets.

include(CheckCXXSourceCompiles)

set(PROJECT_TEST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/tests)

# project_add_test(<name> SOURCES <files...> [LIBS <targets...>] [PER_CASE])
# A GoogleTest executable. PER_CASE runs every case in its own process, for
# code with process-wide state; otherwise the executable is one ctest.
# The tests carry the labels in PROJECT_TEST_LABELS (a directory variable):
# "tsan" marks the Qt-free tests that scripts/test --tsan runs.
function(project_add_test name)
  cmake_parse_arguments(ARG "PER_CASE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_TEST_OUTPUT_DIR})
  set(labels "${PROJECT_TEST_LABELS}")
  if(NOT labels)
    set(labels none)
  endif()
  if(ARG_PER_CASE)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES TIMEOUT 60 LABELS "${labels}")
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 60 LABELS "${labels}")
  endif()
endfunction()

# project_add_fuzz(<name> SOURCE <file> SEEDS <dirs...> [LIBS <targets...>])
# A fuzz target: with FUZZING it links libFuzzer and .ci/run fuzzes it from a
# copy of the seed directories; otherwise it is a ctest that replays them.
# Seed directories are absolute paths (checked-in seeds, fuzz_corpus/ folders
# holding reproducers kept from earlier runs, or generated ones).
# project_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>])
# A Google Benchmark executable in build/benchmarks; not run by ctest.
function(project_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks)
endfunction()

function(project_add_fuzz name)
  cmake_parse_arguments(ARG "" "SOURCE" "SEEDS;LIBS" ${ARGN})
  if(PROJECT_FUZZING_ACTIVE)
    add_executable(${name} ${ARG_SOURCE})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    add_dependencies(fuzz_all ${name})
    list(JOIN ARG_SEEDS " " seeds)
    file(APPEND ${CMAKE_BINARY_DIR}/fuzz/targets.txt "${name} ${seeds}\n")
  else()
    add_executable(${name}_replay ${ARG_SOURCE} ${CMAKE_SOURCE_DIR}/tests/support/fuzz_replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_TEST_OUTPUT_DIR})
    add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARG_SEEDS})
    set_tests_properties(${name}_replay PROPERTIES TIMEOUT 60)
    if(PROJECT_TEST_LABELS)
      set_tests_properties(${name}_replay PROPERTIES LABELS "${PROJECT_TEST_LABELS}")
    endif()
  endif()
endfunction()

set(PROJECT_FUZZING_ACTIVE OFF)
if(FUZZING)
  set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
  check_cxx_source_compiles([[
    #include <cstddef>
    #include <cstdint>
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t *, size_t) { return 0; }
  ]] PROJECT_HAVE_LIBFUZZER)
  unset(CMAKE_REQUIRED_FLAGS)
  if(PROJECT_HAVE_LIBFUZZER)
    set(PROJECT_FUZZING_ACTIVE ON)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
    add_custom_target(fuzz_all)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz/targets.txt "")
  else()
    message(WARNING "libFuzzer does not link with this compiler; fuzz targets are not built")
  endif()
endif()
