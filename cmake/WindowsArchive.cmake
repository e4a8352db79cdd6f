# Builds the Windows build BUILD_DIR and packs it into PACKAGE_DIR with
# CPack (cmake -P). A BUILD_DIR without a cache is configured first with the
# preset windows. Takes SOURCE_DIR, BUILD_DIR, PACKAGE_DIR and CPACK (the
# cpack program).
foreach(var SOURCE_DIR BUILD_DIR PACKAGE_DIR CPACK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "WindowsArchive.cmake needs -D${var}=...")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " cmd "${ARGN}")
    message(FATAL_ERROR "${cmd} failed (${rc})")
  endif()
endfunction()

# Started from a build of the Linux tree: its make's job server is not for
# this build, which has its own job count.
foreach(var MAKEFLAGS MFLAGS MAKELEVEL)
  unset(ENV{${var}})
endforeach()

if(NOT EXISTS ${BUILD_DIR}/CMakeCache.txt)
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR} --preset windows -B ${BUILD_DIR})
endif()
run(${CMAKE_COMMAND} --build ${BUILD_DIR} -j2)
execute_process(COMMAND ${CPACK} -B ${PACKAGE_DIR}
  WORKING_DIRECTORY ${BUILD_DIR} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cpack in ${BUILD_DIR} failed (${rc})")
endif()
