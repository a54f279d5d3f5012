# Runs the generator into a scratch file and fails when the committed station tables differ.
# Usage: cmake -DSTATIONGEN=<exe> -DCOMMITTED=<StationTables.cpp> -DFRESH=<scratch> -P CheckFresh.cmake
execute_process(COMMAND ${STATIONGEN} ${FRESH} RESULT_VARIABLE gen_result)
if(NOT gen_result EQUAL 0)
  message(FATAL_ERROR "stationgen failed (${gen_result})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${COMMITTED} ${FRESH}
                RESULT_VARIABLE compare_result)
if(NOT compare_result EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} is stale: it differs from a fresh run (${FRESH}). "
                      "Rebuild it with the target regenerate-stations and review the diff.")
endif()
message(STATUS "${COMMITTED} matches a fresh run of stationgen")
