# Makes the Wine prefix PREFIX (cmake -P), with the drive DRIVE (such as q:)
# mapped to the folder DRIVE_DIR, and touches STAMP when done.
# Takes WINE, WINESERVER, PREFIX, DRIVE, DRIVE_DIR, STAMP.
foreach(var WINE WINESERVER PREFIX DRIVE DRIVE_DIR STAMP)
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

file(MAKE_DIRECTORY ${DRIVE_DIR})
file(CREATE_LINK ${DRIVE_DIR} ${PREFIX}/dosdevices/${DRIVE} SYMBOLIC)
file(TOUCH ${STAMP})
