# Writes one CTest entry per test function of a Qt Test executable into
# CTEST_FILE, named TEST_NAME.function and labelled unit.
# Usage: cmake -D TEST_EXECUTABLE=... -D TEST_NAME=... -D CTEST_FILE=...
#              -D DISCOVERY_TIMEOUT=seconds [-D TEST_LAUNCHER=wine|...]
#              -P list_functions.cmake
# Wine passes no QT_* variables on, so the platform is given as an argument.
set(ENV{QT_QPA_PLATFORM} offscreen)
string(REPLACE "|" ";" launcher "${TEST_LAUNCHER}")
set(platform)
if(launcher)
  set(platform -platform offscreen)
endif()
execute_process(
  COMMAND ${launcher} "${TEST_EXECUTABLE}" -functions ${platform}
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE status
  TIMEOUT ${DISCOVERY_TIMEOUT})
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
if(NOT status EQUAL 0 OR NOT functions)
  file(REMOVE "${CTEST_FILE}")
  message(FATAL_ERROR "${TEST_EXECUTABLE} -functions listed no test functions (${status}):\n${listing}${errors}")
endif()

set(entries "")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" function "${function}")
  set(test "${TEST_NAME}.${function}")
  string(APPEND entries
         "add_test([==[${test}]==] ${launcher} [==[${TEST_EXECUTABLE}]==] [==[${function}]==] ${platform})\n"
         "set_tests_properties([==[${test}]==] PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS unit"
         " TIMEOUT 120)\n")
endforeach()
file(WRITE "${CTEST_FILE}" "${entries}")
