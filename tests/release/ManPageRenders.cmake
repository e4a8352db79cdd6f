# Renders the manual page PAGE with groff, as man does, and fails on any
# warning (cmake -P). Says "groff was not found" and stops when it is not
# installed (Debian: groff-base), which the test takes as skipped.
find_program(GROFF groff)
if(NOT GROFF)
  message("groff was not found")
  return()
endif()
execute_process(COMMAND ${GROFF} -man -Tutf8 -ww -b -z ${PAGE}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "groff -man -ww ${PAGE} (${rc}):\n${err}")
endif()
execute_process(COMMAND ${GROFF} -man -Tutf8 -P-cbou ${PAGE} OUTPUT_VARIABLE text)
if(NOT text MATCHES "COMMANDS")
  message(FATAL_ERROR "groff rendered ${PAGE} as:\n${text}")
endif()
message(STATUS "${PAGE} renders without warnings")
