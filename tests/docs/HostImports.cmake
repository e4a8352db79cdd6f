# The names the library (LIBRARY, libQvkdc.so) leaves to the stand-in host
# (HOST, libqvhost.so), as `nm -D` (NM) tells them, are those that GUIDE
# (docs/integration.md) lists in the last column of its table under "What
# the DLL imports from the host" (cmake -P). The DLL imports the same names
# (MinGW-w64 g++ mangles C++ names as g++ does on Linux).
cmake_minimum_required(VERSION 3.25)

function(dynamic_symbols library which out)
  execute_process(COMMAND ${NM} -D ${which} ${library}
    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} -D ${which} ${library} failed: ${err}")
  endif()
  string(REGEX MATCHALL "[^ \n]+\n" words "${text}")
  list(TRANSFORM words REPLACE "(@.*)?\n$" "")
  set(${out} ${words} PARENT_SCOPE)
endfunction()
dynamic_symbols(${LIBRARY} --undefined-only undefined)
dynamic_symbols(${HOST} --defined-only defined)
set(imports ${undefined})
list(FILTER imports INCLUDE REGEX ".")
foreach(name IN LISTS undefined)
  if(NOT name IN_LIST defined)
    list(REMOVE_ITEM imports ${name})
  endif()
endforeach()
list(SORT imports)

# The guide's table, a list element a line (its own ";" would split one).
file(READ ${GUIDE} text)
string(REGEX MATCH "\n## What the DLL imports from the host\n(.*)" text "${text}")
string(REGEX REPLACE "\n## .*" "" text "${CMAKE_MATCH_1}")
string(REPLACE ";" "," text "${text}")
string(REPLACE "\n" ";" lines "${text}")
set(listed "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^\\|---" AND line MATCHES "^\\|.* \\| (.*) \\|$")
    string(REGEX MATCHALL "`[A-Za-z_][A-Za-z0-9_]*`" ticked "${CMAKE_MATCH_1}")
    list(TRANSFORM ticked REPLACE "`" "")
    list(APPEND listed ${ticked})
  endif()
endforeach()
list(SORT listed)

if(NOT listed STREQUAL imports)
  set(missing ${imports})
  list(REMOVE_ITEM missing ${listed} "")
  set(extra ${listed})
  list(REMOVE_ITEM extra ${imports} "")
  message(FATAL_ERROR "${GUIDE}, \"What the DLL imports from the host\", differs from what ${LIBRARY} "
                      "imports: not listed [${missing}], listed but not imported [${extra}]")
endif()
