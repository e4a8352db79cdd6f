# Third-party packages, all from Debian. Configure stops with the package to
# install when one is missing.
function(qvkdc_require_package name debian_package)
  find_package(${name} ${ARGN} QUIET)
  if(NOT ${name}_FOUND)
    message(FATAL_ERROR
      "${name} was not found. Install the Debian package: apt-get install ${debian_package}")
  endif()
endfunction()

if(CMAKE_CROSSCOMPILING)
  include(${CMAKE_CURRENT_LIST_DIR}/CrossDependencies.cmake)
  return()
endif()

qvkdc_require_package(nlohmann_json nlohmann-json3-dev)
qvkdc_require_package(CLI11 libcli11-dev)
# Boost.Beast and Boost.Asio, header-only, for `qvkdc check --serve`.
qvkdc_require_package(Boost libboost-dev)
find_package(Threads REQUIRED)
add_library(qvkdc_http INTERFACE)
target_link_libraries(qvkdc_http INTERFACE Boost::headers Threads::Threads)
if(QVKDC_BUILD_TESTS)
  qvkdc_require_package(GTest libgtest-dev)
  include(GoogleTest)
endif()
if(QVKDC_BUILD_BENCHMARKS)
  qvkdc_require_package(benchmark libbenchmark-dev)
endif()
