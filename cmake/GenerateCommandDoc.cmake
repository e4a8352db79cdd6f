# Writes the manual page (KIND man), the command-line reference (KIND
# markdown) or the bash completion (KIND bash) of qvkdc to OUTPUT
# (cmake -P), as `QVKDC help --man`, `QVKDC help --markdown` or
# `QVKDC help --completion bash` prints it, run through RUNNER (a list,
# empty for a program of the build machine). Line ends are LF whatever the
# program wrote. Takes RUNNER, QVKDC, KIND and OUTPUT.
foreach(var QVKDC KIND OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "GenerateCommandDoc.cmake needs -D${var}=...")
  endif()
endforeach()
if(KIND STREQUAL "man")
  set(args help --man)
elseif(KIND STREQUAL "markdown")
  set(args help --markdown)
elseif(KIND STREQUAL "bash")
  set(args help --completion bash)
else()
  message(FATAL_ERROR "GenerateCommandDoc.cmake: KIND is man, markdown or bash, not ${KIND}")
endif()

execute_process(COMMAND ${RUNNER} ${QVKDC} ${args}
  RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR text STREQUAL "")
  string(REPLACE ";" " " shown "${RUNNER};${QVKDC};${args}")
  message(FATAL_ERROR "${shown} failed (${rc}):\n${err}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
# Written beside and renamed, so that a failed run leaves no half file.
file(WRITE ${OUTPUT}.part "${text}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
