# Helpers for the project's targets, tests, fuzz targets and benchmarks.

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

# project_add_ui_test(<name> SOURCES <files...> [LIBS <targets...>])
# A Qt test program: one ctest, linked with the Qt fixtures of
# tests/support/ui (test_support_ui), whose main() creates the offscreen
# ui::Application; it runs in project_ui_test_environment (defined there).
function(project_add_ui_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  project_add_test(${name} SOURCES ${ARG_SOURCES} LIBS test_support_ui ${ARG_LIBS})
  project_ui_test_environment(${name})
endfunction()

# project_add_benchmark(<name> SOURCES <files...> [LIBS <targets...>] [OWN_MAIN]
#                       [DEFINITIONS <defs...>] [DEPENDS <targets...>])
# A benchmark program in build/benchmarks, beside neither the deliverables
# nor the tests, and never run by ctest: Google Benchmark with its main, or
# with OWN_MAIN a program that drives and prints its own measurements. Not
# built in the fuzzing build.
function(project_add_benchmark name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;LIBS;DEFINITIONS;DEPENDS" ${ARGN})
  if(PROJECT_FUZZING_ACTIVE)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE ${ARG_DEFINITIONS})
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(NOT ARG_OWN_MAIN)
    find_package(benchmark REQUIRED)
    target_link_libraries(${name} PRIVATE benchmark::benchmark benchmark::benchmark_main)
  endif()
  # The shared libraries they load stay in build/bin.
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks
    BUILD_WITH_INSTALL_RPATH ON
    INSTALL_RPATH "$ORIGIN/../bin")
endfunction()

# project_add_fuzz(<name> SOURCE <file> SEEDS <dirs...> [LIBS <targets...>])
# A fuzz target: with FUZZING it links libFuzzer and .ci/run fuzzes it from a
# copy of the seed directories; otherwise it is a ctest that replays them.
# Seed directories are absolute paths (checked-in seeds, fuzz_corpus/ folders
# holding reproducers kept from earlier runs, or generated ones).
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

# A shared library must resolve every symbol it uses at link time. Not in
# the fuzzing build: clang leaves the sanitizer and coverage runtimes to the
# executable, so a shared library there has them undefined until it loads.
function(project_link_no_undefined target)
  if(NOT PROJECT_FUZZING_ACTIVE)
    target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  endif()
endfunction()

# Fails the configure when a target links Qt, directly or through the
# libraries it links. For the libraries that must stay Qt-free.
function(platform_require_no_qt target)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    if(current MATCHES "^Qt[0-9]*::" OR current MATCHES "(^|/)lib[Qq]t[0-9]")
      message(FATAL_ERROR "${target} must not link Qt, but links ${current}")
    endif()
    if(TARGET ${current})
      get_target_property(aliased ${current} ALIASED_TARGET)
      if(aliased)
        list(APPEND pending ${aliased})
      endif()
      get_target_property(type ${current} TYPE)
      set(props INTERFACE_LINK_LIBRARIES)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        list(APPEND props LINK_LIBRARIES)
      endif()
      foreach(prop ${props})
        get_target_property(libs ${current} ${prop})
        if(libs)
          foreach(lib ${libs})
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" lib "${lib}")
            list(APPEND pending ${lib})
          endforeach()
        endif()
      endforeach()
    endif()
  endwhile()
endfunction()
