# What `cmake --install` puts under the prefix, and the CMake package that
# lets another project do find_package(Qvkdc) and link Qvkdc::Qvkdc:
#
#   include/qvkdc/qvkdc.h, version.h       the public header and its version
#                                          macros
#   lib/libQvkdc.so*  or  bin/Qvkdc.dll    the library
#   lib/libQvkdc.dll.a, lib/Qvkdc.def      (Windows) import library, exports
#   bin/qvkdc, lib/libqvhost.so            the command-line host and the
#                                          stand-in host it runs on (not with
#                                          QVKDC_HOST_LIBRARIES)
#   lib/cmake/Qvkdc/                       QvkdcConfig.cmake and its version
#   share/doc/qvkdc/                       README.md, CHANGELOG.md, docs/*.md
#                                          and the demo shop examples/shop/
#                                          (with qvkdc)
#   share/man/man1/qvkdc.1,                qvkdc's manual page and bash
#   share/bash-completion/completions/qvkdc  completion (cmake/CommandDocs.cmake)
include(CMakePackageConfigHelpers)

set(QVKDC_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Qvkdc)

install(TARGETS Qvkdc EXPORT QvkdcTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/qvkdc/qvkdc.h
              ${QVKDC_GENERATED_INCLUDE_DIR}/qvkdc/version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/qvkdc)
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/src/entry/Qvkdc.def DESTINATION ${CMAKE_INSTALL_LIBDIR})
endif()
if(NOT QVKDC_HOST_LIBRARIES)
  # The library links the stand-in host, so the package carries it.
  install(TARGETS qvhost
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  install(TARGETS qvkdc RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  set_target_properties(qvkdc PROPERTIES INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  set_target_properties(qvhost PROPERTIES INSTALL_RPATH "$ORIGIN")
  # The demo shop, for a first run of the installed qvkdc.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/shop
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
endif()
# README.md refers to the guides as docs/NAME.md: they keep that place.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/CHANGELOG.md
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
  FILES_MATCHING PATTERN "*.md")

install(EXPORT QvkdcTargets NAMESPACE Qvkdc:: DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QvkdcConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QvkdcConfig.cmake
  INSTALL_DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
# 0.x: a new minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QvkdcConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QvkdcConfig.cmake ${PROJECT_BINARY_DIR}/QvkdcConfigVersion.cmake
  DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
