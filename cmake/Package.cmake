# The release archives, made by CPack from what `cmake --install` installs
# (cmake/Install.cmake), named after the version of the project:
#
#   qvkdc-VERSION-linux-x86_64.tar.gz     from a Linux build
#   qvkdc-VERSION-windows-x86_64.zip      from the MinGW-w64 cross build
#
# Each holds one folder of that name. The binaries are stripped. The
# Windows programs and DLLs need no MinGW run-time DLL: libgcc, libstdc++
# and winpthread are linked statically (cmake/toolchain-mingw64.cmake), so
# the archive runs on a bare Windows as it is.
#
# `cpack` in a build folder packs that build into build/release/. In a Linux
# build the target windows-archive also configures (when it has no cache
# yet) and builds the Windows build build-windows/ (preset windows) and packs
# it into the same folder: `cmake --workflow --preset release` makes both
# archives and runs the release tests (tests/release/).
set(CPACK_PACKAGE_NAME qvkdc)
set(CPACK_PACKAGE_VENDOR Qvkdc)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
string(TOLOWER "${CMAKE_SYSTEM_NAME}" _qvkdc_system)
set(CPACK_PACKAGE_FILE_NAME qvkdc-${PROJECT_VERSION}-${_qvkdc_system}-${CMAKE_SYSTEM_PROCESSOR})
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR TGZ)
endif()
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/release)
set(CPACK_STRIP_FILES ON)
set(CPACK_VERBATIM_VARIABLES ON)
# No source package: a release is the two binary archives.
set(CPACK_SOURCE_GENERATOR "")
include(CPack)

set(QVKDC_RELEASE_DIR ${CPACK_PACKAGE_DIRECTORY})
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32 AND NOT QVKDC_HOST_LIBRARIES)
  set(QVKDC_WINDOWS_BUILD_DIR ${PROJECT_SOURCE_DIR}/build-windows CACHE PATH
    "The Windows build (preset windows) that the target windows-archive builds and packs")
  add_custom_target(windows-archive
    COMMAND ${CMAKE_COMMAND}
      -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
      -DBUILD_DIR=${QVKDC_WINDOWS_BUILD_DIR}
      -DPACKAGE_DIR=${QVKDC_RELEASE_DIR}
      -DCPACK=${CMAKE_CPACK_COMMAND}
      -P ${CMAKE_CURRENT_LIST_DIR}/WindowsArchive.cmake
    COMMENT "Building and packing the Windows build ${QVKDC_WINDOWS_BUILD_DIR}"
    USES_TERMINAL
    VERBATIM)
endif()
