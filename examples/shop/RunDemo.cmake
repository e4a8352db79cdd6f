# Runs the demo: exports every plan of the sample shop with qvkdc into
# OUT_DIR (qvkdc tells what it wrote, plan by plan, and the messages the run
# left), then prints the first rows of the first CSV file. Fails when qvkdc
# exits non-zero.
#
#   cmake -DQVKDC=<qvkdc> -DSOURCE_DIR=<source tree> -DOUT_DIR=<folder> -P RunDemo.cmake
foreach(var QVKDC SOURCE_DIR OUT_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RunDemo.cmake needs -D${var}=...")
  endif()
endforeach()

set(shop examples/shop)
set(first_rows 4)

# The lines of a text file as a list; ";" in a line stays in the line.
function(read_lines path out_var)
  file(READ "${path}" text)
  string(REPLACE ";" "\\;" text "${text}")
  string(REGEX REPLACE "\n$" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${OUT_DIR}")
file(MAKE_DIRECTORY "${OUT_DIR}")

# Paths as the reader of the output knows them: relative to the source tree
# when they lie inside it.
file(RELATIVE_PATH out_shown "${SOURCE_DIR}" "${OUT_DIR}")
if(out_shown MATCHES "^\\.\\./")
  set(out_shown "${OUT_DIR}")
endif()

set(args export --model ${shop}/model.json --root ${shop} --out "${OUT_DIR}" --name SHOP
         --messages "${OUT_DIR}/messages.txt" --overwrite)
string(REPLACE ";" " " shown "${args}")
string(REPLACE "${OUT_DIR}" "${out_shown}" shown "${shown}")
message("$ qvkdc ${shown}")
execute_process(COMMAND "${QVKDC}" ${args}
  WORKING_DIRECTORY "${SOURCE_DIR}"
  RESULT_VARIABLE rc
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err)
# What qvkdc says on stderr comes before its status line on stdout.
if(err)
  string(STRIP "${err}" err)
  string(REPLACE "${OUT_DIR}" "${out_shown}" err "${err}")
  message("${err}")
endif()
string(STRIP "${out}" out)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "qvkdc exited with ${rc}")
endif()

file(GLOB csv_files RELATIVE "${OUT_DIR}" "${OUT_DIR}/*.csv")
list(SORT csv_files)
if(csv_files)
  list(GET csv_files 0 first)
  read_lines("${OUT_DIR}/${first}" lines)
  message("")
  message("First rows of ${first}:")
  set(i 0)
  foreach(line IN LISTS lines)
    if(i GREATER ${first_rows})
      break()
    endif()
    message("  ${line}")
    math(EXPR i "${i} + 1")
  endforeach()
endif()
