# Project-wide helpers: warnings, sanitizers, static Windows programs.

option(ZAMVEL_WERROR "Treat warnings as errors" ON)
option(ZAMVEL_SANITIZE "Build the native code with AddressSanitizer and UBSan" OFF)

if(ZAMVEL_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# SSE2 floating point in the 32-bit build, not x87: every CPU that runs a
# current Windows has SSE2, it halves Orbel's step, and doubles then round
# exactly as in the 64-bit build, so both builds compute the same motion.
# Windows calls window and dialog procedures with the stack aligned to 4
# bytes only, so functions that spill SSE values realign it themselves.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_compile_options(-msse2 -mfpmath=sse -mstackrealign)
endif()

# Warnings for the project's own targets (not for GoogleTest's).
function(zamvel_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ZAMVEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# A Windows screen saver: GUI subsystem, statically linked, named NAME.scr,
# with the resources of TARGET/TARGET.rc and its string table.
# Beside it, NAME-preview.exe runs the same saver in-process inside a
# preview-sized host window (for ./dev run NAME /p and the preview tests).
function(zamvel_saver target)
  cmake_parse_arguments(ARG "" "NAME" "LIBS" ${ARGN})
  zamvel_string_table(${target})
  add_executable(${target} WIN32 ${PROJECT_SOURCE_DIR}/shell/winmain.cpp)
  add_executable(${target}_preview WIN32 ${PROJECT_SOURCE_DIR}/tools/preview_host.cpp)
  target_compile_definitions(${target}_preview PRIVATE ZAMVEL_IN_PROCESS)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_NAME} SUFFIX ".scr")
  set_target_properties(${target}_preview PROPERTIES OUTPUT_NAME ${ARG_NAME}-preview)
  foreach(t ${target} ${target}_preview)
    zamvel_saver_resources(${t} ${target})
    target_link_libraries(${t} PRIVATE ${ARG_LIBS} shell_win)
    # No link time in the header: the same sources link to the same bytes,
    # so release packages can be rebuilt identically.
    target_link_options(${t} PRIVATE -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
    set_target_properties(${t} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    zamvel_warnings(${t})
  endforeach()
  if(WIN32)
    # Every program: a GUI executable importing nothing beyond Windows' own DLLs.
    add_test(NAME ${target}_is_static_gui
      COMMAND bash ${PROJECT_SOURCE_DIR}/tools/check-pe.sh $<TARGET_FILE:${target}> ${CMAKE_SYSTEM_PROCESSOR})
  endif()
endfunction()

# A test program for the Windows builds: a console program, static.
function(zamvel_win_test target)
  add_executable(${target} ${ARGN})
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  zamvel_warnings(${target})
endfunction()
