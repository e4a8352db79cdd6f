# The names the library (LIBRARY, libQvkdc.so) leaves to the stand-in host
# (HOST, libqvhost.so), as `nm -D` tells them (NM), are those that GUIDE
# (docs/integration.md) lists under "What the DLL imports from the host"
# (cmake -P). The Windows build checks the DLL's import table the same way
# (tests/windows/CheckImage.cmake).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/GuideImports.cmake)

function(dynamic_symbols library which out)
  execute_process(COMMAND ${NM} -D ${which} ${library}
    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${NM} -D ${which} ${library} failed: ${err}")
  endif()
  string(REGEX MATCHALL "[^ \n]+\n" words "${text}")
  set(names "")
  foreach(word IN LISTS words)
    string(REGEX REPLACE "(@.*)?\n$" "" word "${word}")
    list(APPEND names ${word})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()

dynamic_symbols(${LIBRARY} --undefined-only undefined)
dynamic_symbols(${HOST} --defined-only defined)
set(imports "")
foreach(name IN LISTS undefined)
  if(name IN_LIST defined)
    list(APPEND imports ${name})
  endif()
endforeach()
qvkdc_check_guide_imports(${GUIDE} "${imports}" ${LIBRARY})
