# Installs a build of Qvkdc into a fresh prefix, checks what is there
# (Layout.cmake), then configures, builds and runs a consumer project that
# does find_package(Qvkdc) and links Qvkdc::Qvkdc (cmake -P).
#
# Takes BUILD_DIR (the build to install), WORK (a folder of its own, made
# anew), CONSUMER (the consumer project), WINDOWS (ON for a Windows build),
# and optionally TOOLCHAIN (for cross builds), EMULATOR (a list: how to run
# a program of the target), C_FLAGS (such as the sanitizer flags).
foreach(var BUILD_DIR WORK CONSUMER WINDOWS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "InstallAndConsume.cmake needs -D${var}=...")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/Layout.cmake)

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

qvkdc_installed_files(expected "${WINDOWS}" "" ${CMAKE_CURRENT_LIST_DIR}/../..)
foreach(file IN LISTS expected)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "the installation lacks ${file}")
  endif()
endforeach()

set(configure ${CMAKE_COMMAND} -S ${CONSUMER} -B ${WORK}/consumer -DCMAKE_PREFIX_PATH=${prefix})
if(TOOLCHAIN)
  # The toolchain looks for packages in the target's tree only, and the
  # prefix lies outside it: name the package's folder itself.
  list(APPEND configure -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DQvkdc_DIR=${prefix}/lib/cmake/Qvkdc)
endif()
if(C_FLAGS)
  list(APPEND configure "-DCMAKE_C_FLAGS=${C_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${C_FLAGS}")
endif()
run(${configure})
run(${CMAKE_COMMAND} --build ${WORK}/consumer)

# The consumer runs beside the installed DLLs on Windows; elsewhere its
# run path finds the library.
if(WINDOWS)
  file(COPY ${WORK}/consumer/consumer.exe DESTINATION ${prefix}/bin)
  set(program ${prefix}/bin/consumer.exe)
else()
  set(program ${WORK}/consumer/consumer)
endif()
run(${EMULATOR} ${program})
if(NOT run_out MATCHES "status: 0")
  message(FATAL_ERROR "the consumer printed: ${run_out}")
endif()
message(STATUS "installed into ${prefix}, consumer built and run: ${run_out}")
