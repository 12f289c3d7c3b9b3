# Helpers shared by the subsystem folders.

# kalodrus_library(NAME SOURCES...) declares the static library of one subsystem.
function(kalodrus_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
endfunction()

# The precompiled header every test program shares: GoogleTest and the standard headers the
# tests use most. Parsing them took most of a test file's compile time. It is compiled once, in
# the small target kalodrus_test_pch, and the test programs reuse it; a precompiled header is
# only valid for translation units with the same flags and macros, so every test program is
# compiled with the flags of that target (_REENTRANT, which the SDL tests get from pkg-config
# and which glibc's headers look at, is defined for all of them).
set(KALODRUS_TEST_PCH_HEADERS
  <gtest/gtest.h>
  <algorithm> <array> <chrono> <cmath> <cstdint> <cstdio> <cstdlib> <cstring> <filesystem>
  <fstream> <functional> <map> <memory> <optional> <random> <set> <sstream> <string>
  <string_view> <thread> <utility> <vector>)
set(KALODRUS_TEST_DEFINITIONS _REENTRANT)

function(kalodrus_test_pch_target)
  if(TARGET kalodrus_test_pch)
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/kalodrus_test_pch.cpp)
  file(CONFIGURE OUTPUT ${source} CONTENT "// Compiles the tests' shared precompiled header.\n")
  add_library(kalodrus_test_pch OBJECT ${source})
  target_link_libraries(kalodrus_test_pch PRIVATE GTest::gtest GTest::gmock)
  target_compile_definitions(kalodrus_test_pch PRIVATE ${KALODRUS_TEST_DEFINITIONS})
  target_precompile_headers(kalodrus_test_pch PRIVATE ${KALODRUS_TEST_PCH_HEADERS})
endfunction()

# kalodrus_test(NAME SOURCES... LIBS libs...) declares one GoogleTest executable and registers it.
# Its sources are compiled with the shared precompiled header, in unity batches (see the
# top-level CMakeLists.txt) like every other target.
function(kalodrus_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  if(KALODRUS_PCH)
    kalodrus_test_pch_target()
    target_compile_definitions(${name} PRIVATE ${KALODRUS_TEST_DEFINITIONS})
    target_precompile_headers(${name} REUSE_FROM kalodrus_test_pch)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "SDL_VIDEODRIVER=offscreen;ALSOFT_DRIVERS=null;KALODRUS_GAME_DIR=${KALODRUS_GAME_DIR};KALODRUS_BIN_DIR=${KALODRUS_BIN_DIR};KALODRUS_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# kalodrus_tool(NAME SOURCES...) declares a content tool written to the tool folder.
function(kalodrus_tool name)
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KALODRUS_BIN_DIR})
endfunction()

# kalodrus_unity_exclude(TARGET FILES...) compiles the given sources of TARGET (paths below the
# source root) on their own rather than in a unity batch, for sources whose file-local helpers
# clash with a neighbour's. Files that do not exist (moved elsewhere) are ignored.
function(kalodrus_unity_exclude target)
  if(NOT TARGET ${target})
    return()
  endif()
  foreach(file ${ARGN})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${file})
      set_source_files_properties(${CMAKE_SOURCE_DIR}/${file} TARGET_DIRECTORY ${target}
                                  PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
  endforeach()
endfunction()
