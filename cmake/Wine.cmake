# Running the Windows programs of a cross build under Wine on the build
# machine (Debian: wine).
#
# Every program that the build or ctest starts goes through
# CMAKE_CROSSCOMPILING_EMULATOR: wine (through WineRun.sh) with a prefix of
# its own below the build tree, no debug channels and no display. The prefix is made at build
# time (target wineprefix), not by a test fixture: GoogleTest's discovery
# already runs the test program before the first test starts.
#
# The prefix has a few extra drives, K: to N:, whose roots are folders below
# ${QVKDC_TEST_DRIVES_DIR}: tests that need a drive root of their own
# (root-relative paths such as \MIRVANE\...) take one of them while they run.
# Drive S: is the sample shop (examples/shop), the root of the demo shop's
# export test; QVKDC_DEMO_SHOP_ARGS tell that test how to run qvkdc.
# The programs see the build machine's files on drive Z: (Z:\ is /), so
# paths of the source and build trees reach them as Z:/... whatever their
# current drive; QVKDC_HOST_PATH_PREFIX holds that Z:.
find_program(QVKDC_WINE NAMES wine)
find_program(QVKDC_WINESERVER NAMES wineserver)
if(NOT QVKDC_WINE OR NOT QVKDC_WINESERVER)
  message(FATAL_ERROR "Wine was not found. Install the Debian package: apt-get install wine")
endif()

set(QVKDC_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(QVKDC_TEST_DRIVES k l m n)
set(QVKDC_TEST_DRIVES_DIR ${PROJECT_BINARY_DIR}/test-drives)
set(QVKDC_SHOP_DRIVE s)
set(QVKDC_HOST_PATH_PREFIX Z:)
set(QVKDC_WINE_ENV
  WINEPREFIX=${QVKDC_WINEPREFIX}
  WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml=
  DISPLAY=)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env ${QVKDC_WINE_ENV}
    ${CMAKE_CURRENT_LIST_DIR}/WineRun.sh ${QVKDC_WINE})
endif()

set(_qvkdc_wine_stamp ${QVKDC_WINEPREFIX}/qvkdc-prefix.stamp)
set(_qvkdc_drives ${QVKDC_SHOP_DRIVE}=${PROJECT_SOURCE_DIR}/examples/shop)
foreach(drive IN LISTS QVKDC_TEST_DRIVES)
  list(APPEND _qvkdc_drives ${drive}=${QVKDC_TEST_DRIVES_DIR}/${drive})
endforeach()
string(REPLACE ";" "," _qvkdc_drives "${_qvkdc_drives}")
add_custom_command(
  OUTPUT ${_qvkdc_wine_stamp}
  COMMAND ${CMAKE_COMMAND}
    -DWINE=${QVKDC_WINE}
    -DWINESERVER=${QVKDC_WINESERVER}
    -DPREFIX=${QVKDC_WINEPREFIX}
    -DDRIVES=${_qvkdc_drives}
    -DSTAMP=${_qvkdc_wine_stamp}
    -P ${CMAKE_CURRENT_LIST_DIR}/WinePrefix.cmake
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/WinePrefix.cmake
  COMMENT "Setting up the Wine prefix ${QVKDC_WINEPREFIX}"
  VERBATIM)
add_custom_target(wineprefix ALL DEPENDS ${_qvkdc_wine_stamp})

set(QVKDC_DEMO_SHOP_ARGS --root=${QVKDC_SHOP_DRIVE}:/ --path-prefix=${QVKDC_HOST_PATH_PREFIX} --crlf)
foreach(word IN LISTS CMAKE_CROSSCOMPILING_EMULATOR)
  list(APPEND QVKDC_DEMO_SHOP_ARGS --runner=${word})
endforeach()
