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

# Glibc locales of the build's own, for the run whose code page and UI
# language differ: wine takes both from LC_ALL even where the system lacks
# that locale, but LC_CTYPE (the code page) and LC_MESSAGES (the UI
# language) apart only from locales glibc finds (here through LOCPATH).
set(ZAMVEL_LOCALES ${CMAKE_BINARY_DIR}/locale)
if(ZAMVEL_RUN_WIN_TESTS)
  file(MAKE_DIRECTORY ${ZAMVEL_LOCALES})
  foreach(locale ja_JP en_US)
    if(NOT EXISTS ${ZAMVEL_LOCALES}/${locale}.UTF-8/LC_CTYPE)
      execute_process(COMMAND localedef -i ${locale} -f UTF-8 ${ZAMVEL_LOCALES}/${locale}.UTF-8
        OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(NOT EXISTS ${ZAMVEL_LOCALES}/${locale}.UTF-8/LC_CTYPE)
      message(WARNING "localedef could not make ${locale}.UTF-8 (the locales package has its sources; "
        "./dev installs it): the runs under code page 1252 with a Japanese UI language will fail")
    endif()
  endforeach()
endif()

# One more run of the tests of a wine test program that match FILTER, under
# the locale variables given ("LC_ALL=set:ja_JP.UTF-8;..." as in
# ENVIRONMENT_MODIFICATION, every other one unset). The program checks that
# it got ANSI code page CP and UI language UI (decimal LANGIDs).
function(_zamvel_wine_test_run name target filter cp ui locale)
  add_test(NAME ${name} COMMAND ${target} --gtest_filter=${filter})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "ZAMVEL_EXPECT_ACP=${cp};ZAMVEL_EXPECT_UI_LANGUAGE=${ui}"
    ENVIRONMENT_MODIFICATION "LC_ALL=unset:;LANG=unset:;LC_CTYPE=unset:;LC_MESSAGES=unset:;${locale}")
  zamvel_expect_gtest(${name})
endfunction()

# The tests of a wine test program that match FILTER, run once more under
# each ANSI code page a Japanese user may have, both with the Japanese
# dialogs: 932, and 1252 (a Western system whose UI language is Japanese).
function(zamvel_wine_test_code_pages target filter)
  if(NOT ZAMVEL_RUN_WIN_TESTS)
    return()
  endif()
  _zamvel_wine_test_run(${target}_cp932 ${target} ${filter} 932 1041 "LC_ALL=set:ja_JP.UTF-8")
  _zamvel_wine_test_run(${target}_cp1252 ${target} ${filter} 1252 1041
    "LOCPATH=set:${ZAMVEL_LOCALES};LC_CTYPE=set:en_US.UTF-8;LC_MESSAGES=set:ja_JP.UTF-8")
endfunction()

# The same tests run once more under UI languages other than Japanese, with
# the English dialogs: English, and German, for which the programs have no
# dialog of their own and fall back to English.
function(zamvel_wine_test_ui_languages target filter)
  if(NOT ZAMVEL_RUN_WIN_TESTS)
    return()
  endif()
  _zamvel_wine_test_run(${target}_en_US ${target} ${filter} 1252 1033 "LC_ALL=set:en_US.UTF-8")
  _zamvel_wine_test_run(${target}_de_DE ${target} ${filter} 1252 1031 "LC_ALL=set:de_DE.UTF-8")
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
