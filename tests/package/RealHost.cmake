# Builds the library alone against "the real host's" libraries named by
# QVKDC_HOST_LIBRARIES (here the stand-in's built library stands for them)
# and installs it (cmake -P): the library must depend on exactly that
# library, nothing that runs on the stand-in is built, and the package
# holds the library without the command-line host.
#
# Takes SOURCE_DIR, WORK (made anew) and HOST_LIBRARY (a built shared library).
foreach(var SOURCE_DIR WORK HOST_LIBRARY)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "RealHost.cmake needs -D${var}=...")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/Run.cmake)

file(REMOVE_RECURSE ${WORK})
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK}/build -DCMAKE_BUILD_TYPE=Release
    -DQVKDC_HOST_LIBRARIES=${HOST_LIBRARY})
run(${CMAKE_COMMAND} --build ${WORK}/build -j2)

file(GLOB built RELATIVE ${WORK}/build/bin ${WORK}/build/bin/*)
list(FILTER built EXCLUDE REGEX "^libQvkdc\\.so")
if(built)
  message(FATAL_ERROR "besides the library, the build made: ${built}")
endif()

file(GLOB library ${WORK}/build/bin/libQvkdc.so)
get_filename_component(host_dir ${HOST_LIBRARY} DIRECTORY)
file(GET_RUNTIME_DEPENDENCIES LIBRARIES ${library}
  RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved
  DIRECTORIES ${host_dir}
  PRE_EXCLUDE_REGEXES "^lib(c|m|gcc_s|stdc\\+\\+|dl|pthread|rt)\\.so" "^ld-linux"
  POST_EXCLUDE_REGEXES "^/lib" "^/usr/lib")
file(REAL_PATH ${HOST_LIBRARY} host_real)
set(found "")
foreach(dep IN LISTS resolved)
  file(REAL_PATH ${dep} dep_real)
  list(APPEND found ${dep_real})
endforeach()
if(NOT found STREQUAL host_real OR unresolved)
  message(FATAL_ERROR "the library depends on [${found}] (unresolved: [${unresolved}]), "
                      "expected [${host_real}]")
endif()

run(${CMAKE_COMMAND} --install ${WORK}/build --prefix ${WORK}/prefix)
foreach(file include/qvkdc/qvkdc.h lib/libQvkdc.so lib/cmake/Qvkdc/QvkdcConfig.cmake)
  if(NOT EXISTS ${WORK}/prefix/${file})
    message(FATAL_ERROR "the installation lacks ${file}")
  endif()
endforeach()
if(EXISTS ${WORK}/prefix/bin/qvkdc)
  message(FATAL_ERROR "the installation holds qvkdc, which needs the stand-in host")
endif()
