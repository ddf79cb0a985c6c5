# SPDX-License-Identifier: MIT
# Runs the generator into a scratch file and fails unless the result is the committed table,
# byte for byte, so the table can never drift from its model unnoticed.
execute_process(COMMAND ${GENERATOR} ${INPUTS} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "solar_term_generator failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
  RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} differs from the generator's output ${OUTPUT}")
endif()
