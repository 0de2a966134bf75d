# Runs the simulator with ARGS (blank-separated) and compares its standard output
# byte for byte with the recorded GOLDEN file (gzip): the same seed must give
# the same moves, boards and saved games after any change that keeps the rules.
separate_arguments(args UNIX_COMMAND "${ARGS}")
execute_process(COMMAND ${SIM} ${args} OUTPUT_FILE ${OUT} ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "simulator failed (${rc}): ${err}")
endif()
execute_process(COMMAND gzip -dc ${GOLDEN} OUTPUT_FILE ${OUT}.expected RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${GOLDEN}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${OUT}.expected RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${OUT} differs from ${OUT}.expected; compare them line by line "
                      "(a deliberate change of the rules packs the first over ${GOLDEN})")
endif()
