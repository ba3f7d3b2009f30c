# Fails when a test of the build in the working folder has no timeout of its own: a test that
# stops making progress must fail with its output, not hold up the whole run.
#   cmake -DCTEST=<ctest> -P EveryTestHasATimeout.cmake
execute_process(COMMAND ${CTEST} --show-only=json-v1 OUTPUT_VARIABLE json RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "ctest --show-only failed (${rc})")
endif()
string(JSON count LENGTH "${json}" tests)
if(count EQUAL 0)
    message(FATAL_ERROR "no tests listed")
endif()
# Each test lists its properties as {"name": ..., "value": ...}; a test has at most one TIMEOUT.
string(REGEX MATCHALL "\"name\"[ \t\r\n]*:[ \t\r\n]*\"TIMEOUT\"[ \t\r\n]*,[ \t\r\n]*\"value\"[ \t\r\n]*:[ \t\r\n]*[1-9]"
       timeouts "${json}")
list(LENGTH timeouts timed)
if(NOT timed EQUAL count)
    math(EXPR missing "${count} - ${timed}")
    message(FATAL_ERROR "${missing} of ${count} tests have no timeout")
endif()
message(STATUS "all ${count} tests have a timeout")
