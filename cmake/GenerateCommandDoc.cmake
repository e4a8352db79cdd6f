# Writes the manual page (KIND man), the command-line reference (KIND
# markdown) or the bash completion (KIND bash) of qvkdc to OUTPUT
# (cmake -P), as `QVKDC help --man`, `QVKDC help --markdown` or
# `QVKDC help --completion bash` prints it, run through RUNNER (a list,
# empty for a program of the build machine). KIND findings puts the table
# of finding codes that `QVKDC help --findings` prints in place of the one
# OUTPUT holds (from its header row to the blank line after it), leaving
# the rest of OUTPUT as it is; KIND value-types does the same with the
# table of value types of `QVKDC help --value-types`. Line ends are LF whatever the program wrote.
# Takes RUNNER, QVKDC, KIND and OUTPUT.
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
elseif(KIND STREQUAL "findings")
  set(args help --findings)
elseif(KIND STREQUAL "value-types")
  set(args help --value-types)
else()
  message(FATAL_ERROR "GenerateCommandDoc.cmake: KIND is man, markdown, bash, findings or value-types, not ${KIND}")
endif()

execute_process(COMMAND ${RUNNER} ${QVKDC} ${args}
  TIMEOUT 120 RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR text STREQUAL "")
  string(REPLACE ";" " " shown "${RUNNER};${QVKDC};${args}")
  message(FATAL_ERROR "${shown} failed (${rc}):\n${err}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
if(KIND STREQUAL "findings" OR KIND STREQUAL "value-types")
  file(READ ${OUTPUT} doc)
  string(FIND "${text}" "\n" header_end)
  string(SUBSTRING "${text}" 0 ${header_end} header)
  string(FIND "${doc}" "${header}" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${OUTPUT} holds no table that starts with ${header}")
  endif()
  string(SUBSTRING "${doc}" 0 ${start} before)
  string(SUBSTRING "${doc}" ${start} -1 rest)
  string(FIND "${rest}" "\n\n" end)
  if(end EQUAL -1)
    set(after "")
  else()
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${rest}" ${end} -1 after)
  endif()
  set(text "${before}${text}${after}")
endif()
# Written beside and renamed, so that a failed run leaves no half file.
file(WRITE ${OUTPUT}.part "${text}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
