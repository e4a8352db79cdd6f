# What `cmake --install` puts under the prefix, and the CMake package that
# lets another project do find_package(Qvkdc) and link Qvkdc::Qvkdc:
#
#   include/qvkdc/qvkdc.h                  the public header
#   lib/libQvkdc.so*  or  bin/Qvkdc.dll    the library
#   lib/libQvkdc.dll.a, lib/Qvkdc.def      (Windows) import library, exports
#   bin/qvkdc, lib/libqvhost.so            the command-line host and the
#                                          stand-in host it runs on (not with
#                                          QVKDC_HOST_LIBRARIES)
#   lib/cmake/Qvkdc/                       QvkdcConfig.cmake and its version
include(CMakePackageConfigHelpers)

set(QVKDC_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Qvkdc)

install(TARGETS Qvkdc EXPORT QvkdcTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/qvkdc/qvkdc.h
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
endif()

install(EXPORT QvkdcTargets NAMESPACE Qvkdc:: DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QvkdcConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QvkdcConfig.cmake
  INSTALL_DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
# 0.x: a new minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QvkdcConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QvkdcConfig.cmake ${PROJECT_BINARY_DIR}/QvkdcConfigVersion.cmake
  DESTINATION ${QVKDC_INSTALL_CMAKEDIR})
