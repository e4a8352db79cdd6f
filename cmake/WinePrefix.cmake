# Makes the Wine prefix PREFIX (cmake -P), with each drive of DRIVES (a list
# of letters, comma-separated) mapped to the folder DRIVES_DIR/<letter>, and touches STAMP
# when done. Takes WINE, WINESERVER, PREFIX, DRIVES, DRIVES_DIR, STAMP.
foreach(var WINE WINESERVER PREFIX DRIVES DRIVES_DIR STAMP)
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
  file(MAKE_DIRECTORY ${DRIVES_DIR}/${drive})
  file(CREATE_LINK ${DRIVES_DIR}/${drive} ${PREFIX}/dosdevices/${drive}: SYMBOLIC)
endforeach()
file(TOUCH ${STAMP})
