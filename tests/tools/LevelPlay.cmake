# One headless level run for ctest (cmake -P):
#   MODE=win    : the bot plays LEVEL in DIFFICULTY and must win.
#   MODE=idle   : LEVEL runs without input; its result line (quotes left out) must hold
#                 EXPECT and name the phases left (mini-game levels).
#   MODE=golden : the clicks of GOLDEN.clicks are replayed; the last line must equal
#                 GOLDEN.json, and a second replay must leave the level exactly as the first.
#                 With EXACT=0 (instrumented builds) only the two replays are compared with
#                 each other: the golden results are those of the ordinary build, and an
#                 instrumented build may round a float differently, so a click recorded at
#                 the very edge of a moving creature can land on the other side of it.
foreach(var KCONTENT LEVEL MODE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "LevelPlay.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED DIFFICULTY)
  set(DIFFICULTY 1)
endif()

function(last_line text out)
  string(STRIP "${text}" text)
  string(FIND "${text}" "\n" at REVERSE)
  if(at GREATER -1)
    math(EXPR at "${at} + 1")
    string(SUBSTRING "${text}" ${at} -1 text)
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(MODE STREQUAL "win")
  execute_process(COMMAND ${KCONTENT} level play ${LEVEL} --bot --difficulty ${DIFFICULTY}
                  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  last_line("${out}" line)
  if(NOT rc EQUAL 0 OR NOT line MATCHES "^\\{\"won\":true,")
    message(FATAL_ERROR "the bot did not win ${LEVEL} (difficulty ${DIFFICULTY}): ${line}")
  endif()
  message(STATUS "${line}")
elseif(MODE STREQUAL "idle")
  # Nobody plays: the result line (quotes left out) must hold EXPECT, and the level has ended.
  execute_process(COMMAND ${KCONTENT} level play ${LEVEL} --seconds 300
                  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
  last_line("${out}" line)
  string(REPLACE "\"" "" plain "${line}")
  string(FIND "${plain}" "${EXPECT}" at)
  string(FIND "${plain}" "phases_left:" phases)
  if(NOT rc EQUAL 0 OR at EQUAL -1 OR phases EQUAL -1)
    message(FATAL_ERROR "${LEVEL} left alone should give ${EXPECT}: ${line}")
  endif()
  message(STATUS "${line}")
elseif(MODE STREQUAL "golden")
  file(READ "${GOLDEN}.json" expected)
  string(STRIP "${expected}" expected)
  if(NOT DEFINED EXACT)
    set(EXACT 1)
  endif()
  foreach(run 1 2)
    execute_process(COMMAND ${KCONTENT} level play ${LEVEL} --replay ${GOLDEN}.clicks
                            --difficulty ${DIFFICULTY} --write ${WORK_DIR}/replay_${run}.xml
                    OUTPUT_VARIABLE out RESULT_VARIABLE rc)
    last_line("${out}" line)
    if(NOT EXACT AND run EQUAL 1)
      set(expected "${line}")
    endif()
    if(NOT rc EQUAL 0 OR NOT line STREQUAL expected)
      message(FATAL_ERROR "replay ${run} of ${LEVEL}:\n  got      ${line}\n  expected ${expected}")
    endif()
  endforeach()
  file(READ ${WORK_DIR}/replay_1.xml first)
  file(READ ${WORK_DIR}/replay_2.xml second)
  if(NOT first STREQUAL second)
    message(FATAL_ERROR "two replays of ${LEVEL} left different levels")
  endif()
else()
  message(FATAL_ERROR "LevelPlay.cmake: unknown MODE ${MODE}")
endif()
