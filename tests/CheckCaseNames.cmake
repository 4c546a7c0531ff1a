# Fails when a test binary lists a parameterised case by its place in the list
# ("/3  # GetParam() = ..."): such a case has no name generator, and the test
# list would show it by its value's raw bytes. Run as
#   cmake -DTEST_BINARY=<binary> -P CheckCaseNames.cmake
execute_process(COMMAND "${TEST_BINARY}" --gtest_list_tests
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${TEST_BINARY} --gtest_list_tests failed: ${failed}")
endif()
string(REPLACE "\n" ";" lines "${listing}")
set(unnamed "")
set(suite "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ ].*)\\.$")
    set(suite "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^  ([^ ]+)/[0-9]+  # GetParam\\(\\)")
    list(APPEND unnamed "${suite}.${CMAKE_MATCH_1}")
  endif()
endforeach()
if(unnamed)
  list(REMOVE_DUPLICATES unnamed)
  list(JOIN unnamed "\n  " shown)
  message(FATAL_ERROR "Parameterised cases without a name generator (see tests/CaseName.h):\n  ${shown}")
endif()
