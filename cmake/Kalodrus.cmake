# Helpers shared by the subsystem folders.

# kalodrus_library(NAME SOURCES...) declares the static library of one subsystem.
function(kalodrus_library name)
  add_library(${name} STATIC ${ARGN})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
endfunction()

# kalodrus_test(NAME SOURCES... LIBS libs...) declares one GoogleTest executable and registers it.
function(kalodrus_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
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
