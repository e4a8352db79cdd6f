# Dependencies of a cross build for Windows (cmake/toolchain-mingw64.cmake).
# The header-only packages come from the build machine's Debian packages,
# GoogleTest is built from the sources Debian ships, with the target
# compiler, and Google Benchmark is not built.

# A header-only package of the build machine as an imported
# target. Its include folder (below /usr/include) is reached through a
# private folder of the build tree that holds nothing but a link to it, so
# the rest of /usr/include stays out of the target compiler's sight.
function(qvkdc_build_machine_headers target folder debian_package)
  set(source /usr/include/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR
      "${source} was not found. Install the Debian package: apt-get install ${debian_package}")
  endif()
  set(private ${PROJECT_BINARY_DIR}/build-machine-headers/${folder})
  file(MAKE_DIRECTORY ${private})
  file(CREATE_LINK ${source} ${private}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${private})
endfunction()

qvkdc_build_machine_headers(nlohmann_json::nlohmann_json nlohmann nlohmann-json3-dev)
qvkdc_build_machine_headers(CLI11::CLI11 CLI libcli11-dev)
# Boost.Beast and Boost.Asio, header-only, for `qvkdc check --serve`: on
# Windows 10's API, over Winsock.
qvkdc_build_machine_headers(Boost::headers boost libboost-dev)
add_library(qvkdc_http INTERFACE)
target_link_libraries(qvkdc_http INTERFACE Boost::headers ws2_32 mswsock)
target_compile_definitions(qvkdc_http INTERFACE _WIN32_WINNT=0x0A00)
if(QVKDC_BUILD_TESTS)
  # GoogleTest built from the sources Debian ships, with the target compiler.
  set(QVKDC_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  if(NOT EXISTS ${QVKDC_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
    message(FATAL_ERROR
      "GoogleTest sources were not found. Install the Debian package: apt-get install googletest")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${QVKDC_GOOGLETEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  include(GoogleTest)
endif()
if(QVKDC_BUILD_BENCHMARKS)
  message(FATAL_ERROR "The benchmarks are not built in cross builds: set QVKDC_BUILD_BENCHMARKS OFF")
endif()
