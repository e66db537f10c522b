# GoogleTest and Google Benchmark, natively from Debian's packages; for the
# Windows presets GoogleTest is built from Debian's source package.
if(WIN32)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
  find_package(benchmark QUIET)
endif()

# Tests of the Windows builds run where an emulator (the wine wrapper) can
# run them: both Windows presets set one.
set(ZAMVEL_RUN_WIN_TESTS OFF)
if(WIN32 AND CMAKE_CROSSCOMPILING_EMULATOR)
  set(ZAMVEL_RUN_WIN_TESTS ON)
endif()

# A native GoogleTest program: zamvel_native_test(NAME SOURCES... LIBS ...)
function(zamvel_native_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  zamvel_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120)
endfunction()

# A test of a Windows program passes only when the program ends with 0 AND
# prints its own success line (REGEX, grep -E): a crash can end a 32-bit
# wine process with 0. tools/wine-run judges it.
function(zamvel_expect_line test regex)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION "ZAMVEL_EXPECT_LINE=set:${regex}")
endfunction()
# GoogleTest's line: at least one test ran, and all passed (a filter that
# selects nothing passes 0 tests).
function(zamvel_expect_gtest)
  foreach(test ${ARGN})
    zamvel_expect_line(${test} "^\\[  PASSED  \\] [1-9][0-9]* tests?\\.")
  endforeach()
endfunction()

# A GoogleTest program run under wine: zamvel_wine_test(NAME SOURCES... LIBS ...)
# Built and run in both Windows presets; .rc files go into SOURCES.
function(zamvel_wine_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} tests_win_support GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  target_link_options(${name} PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  zamvel_warnings(${name})
  if(ZAMVEL_RUN_WIN_TESTS)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
    zamvel_expect_gtest(${name})
  endif()
endfunction()

# The tests of a wine test program that match FILTER, run once more under
# each ANSI code page a user may have: 932 (Japanese) and 1252 (Western).
function(zamvel_wine_test_code_pages target filter)
  if(NOT ZAMVEL_RUN_WIN_TESTS)
    return()
  endif()
  foreach(cp 932 1252)
    if(cp EQUAL 932)
      set(locale ja_JP.UTF-8)
    else()
      set(locale en_US.UTF-8)
    endif()
    add_test(NAME ${target}_cp${cp} COMMAND ${target} --gtest_filter=${filter})
    set_tests_properties(${target}_cp${cp} PROPERTIES TIMEOUT 300
      ENVIRONMENT "LC_ALL=${locale};ZAMVEL_EXPECT_ACP=${cp}")
    zamvel_expect_gtest(${target}_cp${cp})
  endforeach()
endfunction()

# An end-to-end script run against the preset's real programs under Xvfb:
# zamvel_e2e_test(NAME SCRIPT ARGS...)
function(zamvel_e2e_test name script)
  if(ZAMVEL_RUN_WIN_TESTS)
    add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300
      ENVIRONMENT "ZAMVEL_TOOLS=${PROJECT_SOURCE_DIR}/tools;ZAMVEL_BIN=${CMAKE_BINARY_DIR}/bin")
  endif()
endfunction()

# A native Google Benchmark program (skipped when the package is missing).
function(zamvel_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32 OR NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  zamvel_warnings(${name})
endfunction()

# Every test of a Windows preset may end with 77: a 32-bit program it must run
# on a kernel that runs none (tools/wine-env.sh). ctest then reports it
# skipped, never passed. Each directory that adds Windows tests calls this
# first; the property is set on all of them when the directory is done.
function(zamvel_win_tests_may_skip)
  if(ZAMVEL_RUN_WIN_TESTS)
    cmake_language(DEFER CALL _zamvel_set_skip_code)
  endif()
endfunction()
function(_zamvel_set_skip_code)
  get_directory_property(tests TESTS)
  if(tests)
    set_tests_properties(${tests} PROPERTIES SKIP_RETURN_CODE 77)
  endif()
endfunction()
