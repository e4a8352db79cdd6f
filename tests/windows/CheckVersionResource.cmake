# Checks the version resource of a Windows DLL (cmake -P): windres reads the
# image's resources back as a resource script, whose VERSIONINFO must give
# VERSION as file and product version, both as numbers and as texts, and
# mark the file as a DLL.
# Takes WINDRES, IMAGE and VERSION (MAJOR.MINOR.PATCH).
execute_process(COMMAND ${WINDRES} -i ${IMAGE} -O rc
  RESULT_VARIABLE result OUTPUT_VARIABLE script ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${WINDRES} -i ${IMAGE} -O rc failed: ${err}")
endif()
message(STATUS "${IMAGE}:\n${script}")

string(REPLACE "." ", " numbers "${VERSION}")
set(expected
  " FILEVERSION ${numbers}, 0\n"
  " PRODUCTVERSION ${numbers}, 0\n"
  " FILETYPE 0x2\n"
  "VALUE \"FileVersion\", \"${VERSION}\""
  "VALUE \"ProductVersion\", \"${VERSION}\""
  "VALUE \"OriginalFilename\", \"Qvkdc.dll\"")
foreach(text IN LISTS expected)
  string(FIND "${script}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the version resource of ${IMAGE} lacks: ${text}")
  endif()
endforeach()
