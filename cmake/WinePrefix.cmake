# Makes the Wine prefix PREFIX (cmake -P) with the drives of DRIVES, a
# comma-separated list of letter=folder (such as k=/build/test-drives/k),
# each letter mapped to its folder, and touches STAMP when done.
# Takes WINE, WINESERVER, PREFIX, DRIVES, STAMP.
foreach(var WINE WINESERVER PREFIX DRIVES STAMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "WinePrefix.cmake: ${var} is not set")
  endif()
endforeach()

set(ENV{WINEPREFIX} ${PREFIX})
set(ENV{WINEDEBUG} -all)
set(ENV{WINEDLLOVERRIDES} mscoree,mshtml=)
set(ENV{DISPLAY} "")

execute_process(COMMAND ${WINE} wineboot -i
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "wineboot -i failed (${result}):\n${out}")
endif()
# wineboot returns before the prefix is written out; the server writes it
# when it ends.
execute_process(COMMAND ${WINESERVER} -w)

string(REPLACE "," ";" DRIVES "${DRIVES}")
foreach(drive IN LISTS DRIVES)
  if(NOT drive MATCHES "^([a-y])=(.+)$")
    message(FATAL_ERROR "WinePrefix.cmake: not letter=folder: ${drive}")
  endif()
  file(MAKE_DIRECTORY ${CMAKE_MATCH_2})
  file(CREATE_LINK ${CMAKE_MATCH_2} ${PREFIX}/dosdevices/${CMAKE_MATCH_1}: SYMBOLIC)
endforeach()
file(TOUCH ${STAMP})
