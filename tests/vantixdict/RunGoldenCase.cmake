# Runs one golden case: builds its fixtures, runs its commands in a fresh folder and compares
# the transcript with <case>.expected. Called by ctest with VANTIXDICT, FIXTURE_TOOL, CASE_FILE,
# FIXTURE_DIR and WORK_DIR; VANTIX_UPDATE_GOLDEN=1 in the environment rewrites the expected file.
#
# Case file lines (no ";" in them, which CMake would take for a list separator):
#   # comment
#   fixture SOURCE.fix NAME      make NAME from fixtures/SOURCE.fix
#   large NAME BYTES             a valid phrase file of BYTES bytes
#   run ARGS...                  run vantixdict ARGS (quoted as in a shell) in the case's folder
#   dump utf16|utf8 NAME         show a file the run wrote
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
file(STRINGS ${CASE_FILE} case_lines)
set(transcript "")

foreach(line IN LISTS case_lines)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  string(REGEX MATCH "^([a-z]+) *(.*)$" matched "${line}")
  set(verb "${CMAKE_MATCH_1}")
  set(rest "${CMAKE_MATCH_2}")
  separate_arguments(words UNIX_COMMAND "${rest}")
  if(verb STREQUAL "fixture")
    list(GET words 0 source)
    list(GET words 1 name)
    execute_process(COMMAND ${FIXTURE_TOOL} make ${FIXTURE_DIR}/${source} ${WORK_DIR}/${name}
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "cannot make fixture ${source}")
    endif()
  elseif(verb STREQUAL "large")
    list(GET words 0 name)
    list(GET words 1 bytes)
    execute_process(COMMAND ${FIXTURE_TOOL} large ${WORK_DIR}/${name} ${bytes} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "cannot make ${name}")
    endif()
  elseif(verb STREQUAL "run")
    execute_process(COMMAND ${VANTIXDICT} ${words} WORKING_DIRECTORY ${WORK_DIR}
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
    string(APPEND transcript "$ vantixdict ${rest}\n${out}")
    if(NOT err STREQUAL "")
      string(APPEND transcript "[stderr]\n${err}")
    endif()
    string(APPEND transcript "[exit ${result}]\n")
  elseif(verb STREQUAL "dump")
    list(GET words 0 form)
    list(GET words 1 name)
    execute_process(COMMAND ${FIXTURE_TOOL} dump ${form} ${WORK_DIR}/${name} OUTPUT_VARIABLE out)
    string(APPEND transcript "$ dump ${form} ${name}\n${out}")
  else()
    message(FATAL_ERROR "unknown case line: ${line}")
  endif()
endforeach()

string(REGEX REPLACE "\\.case$" ".expected" expected_file ${CASE_FILE})
if("$ENV{VANTIX_UPDATE_GOLDEN}" STREQUAL "1")
  file(WRITE ${expected_file} "${transcript}")
  return()
endif()
if(NOT EXISTS ${expected_file})
  file(WRITE ${WORK_DIR}/actual.txt "${transcript}")
  message(FATAL_ERROR "no ${expected_file}; the transcript is in ${WORK_DIR}/actual.txt")
endif()
file(READ ${expected_file} expected)
if(NOT transcript STREQUAL expected)
  file(WRITE ${WORK_DIR}/actual.txt "${transcript}")
  message(FATAL_ERROR "the transcript differs from ${expected_file}:\n"
                      "  diff ${expected_file} ${WORK_DIR}/actual.txt\n${transcript}")
endif()
