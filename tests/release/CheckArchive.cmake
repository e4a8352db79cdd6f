# Checks a release archive as its user gets it (cmake -P): unpacks it into
# an empty folder and runs the qvkdc it holds, with nothing from the build
# tree, on a copy of the demo shop it carries; the files written must equal
# examples/shop/expected. Before that: the archive's name, its one top
# folder, every file of an installation (tests/package/Layout.cmake), and
# that every version it carries is VERSION: the version header, the CMake
# package, `qvkdc --version`, the manual page and (Windows) the DLL's
# version resource.
#
# A Windows archive runs under Wine in a prefix of its own (PREFIX, made on
# the first run), a bare Windows with no MinGW run-time DLL: qvkdc.exe runs
# only when it needs none beside the archive's DLLs. The prefix's drive R:
# is the shop copy, since the library reads its tables at the root of the
# current drive. The images are also checked with objdump for imports of
# MinGW run-time DLLs.
#
# Takes ARCHIVE, VERSION, WORK (made anew), SOURCE_DIR and WINDOWS; for
# Windows also WINE, WINESERVER, PREFIX, OBJDUMP and WINDRES.
cmake_minimum_required(VERSION 3.25)
foreach(var ARCHIVE VERSION WORK SOURCE_DIR WINDOWS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckArchive.cmake needs -D${var}=...")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/../package/Run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/../package/Layout.cmake)

if(NOT EXISTS ${ARCHIVE})
  message(FATAL_ERROR "${ARCHIVE} does not exist: make it with cmake --workflow --preset release")
endif()
get_filename_component(name ${ARCHIVE} NAME)
if(WINDOWS)
  set(kind windows-x86_64.zip)
else()
  set(kind linux-x86_64.tar.gz)
endif()
string(REGEX REPLACE "\\.(zip|tar\\.gz)$" "" top_name ${name})
if(NOT name STREQUAL "qvkdc-${VERSION}-${kind}")
  message(FATAL_ERROR "the archive is named ${name}, not qvkdc-${VERSION}-${kind}")
endif()

# Unpacked into an empty folder, it holds one folder named as the archive.
file(REMOVE_RECURSE ${WORK})
file(ARCHIVE_EXTRACT INPUT ${ARCHIVE} DESTINATION ${WORK}/unpacked)
file(GLOB tops RELATIVE ${WORK}/unpacked ${WORK}/unpacked/*)
if(NOT tops STREQUAL top_name)
  message(FATAL_ERROR "${name} holds [${tops}], not the one folder ${top_name}")
endif()
set(top ${WORK}/unpacked/${top_name})
qvkdc_installed_files(expected "${WINDOWS}" ${VERSION} ${SOURCE_DIR})
foreach(file IN LISTS expected)
  if(NOT EXISTS ${top}/${file})
    message(FATAL_ERROR "${name} lacks ${file}")
  endif()
endforeach()
string(REPLACE "." ";" numbers "${VERSION}")
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 2 patch)
if(NOT WINDOWS)
  foreach(link lib/libQvkdc.so lib/libQvkdc.so.${major}.${minor})
    if(NOT IS_SYMLINK ${top}/${link})
      message(FATAL_ERROR "${name}: ${link} is not a link to the versioned library")
    endif()
  endforeach()
endif()

# How the archive's qvkdc runs: under Wine for Windows, with a library path
# of its own (its run path) on Linux.
if(WINDOWS)
  foreach(var WINE WINESERVER PREFIX OBJDUMP WINDRES)
    if(NOT ${var})
      message(FATAL_ERROR "CheckArchive.cmake needs -D${var}=... for a Windows archive")
    endif()
  endforeach()
  set(shop_root R:/)
  set(host_prefix Z:)
  if(NOT EXISTS ${PREFIX}/qvkdc-prefix.stamp)
    run(${CMAKE_COMMAND} -DWINE=${WINE} -DWINESERVER=${WINESERVER} -DPREFIX=${PREFIX}
        -DDRIVES=r=${WORK}/shop -DSTAMP=${PREFIX}/qvkdc-prefix.stamp
        -P ${CMAKE_CURRENT_LIST_DIR}/../../cmake/WinePrefix.cmake)
  endif()
  set(qvkdc ${CMAKE_COMMAND} -E env WINEPREFIX=${PREFIX} WINEDEBUG=-all
      WINEDLLOVERRIDES=mscoree,mshtml= DISPLAY= --unset=WINEPATH
      ${CMAKE_CURRENT_LIST_DIR}/../../cmake/WineRun.sh ${WINE} ${top}/bin/qvkdc.exe)
else()
  set(shop_root ${WORK}/shop)
  set(host_prefix "")
  set(qvkdc ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ${top}/bin/qvkdc)
  # The library it loads is the archive's stand-in host; the export's own
  # code is linked in, once, so libQvkdc.so is not loaded beside it.
  file(GET_RUNTIME_DEPENDENCIES EXECUTABLES ${top}/bin/qvkdc
    RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved
    PRE_INCLUDE_REGEXES "^lib(Qvkdc|qvhost)\\.so" PRE_EXCLUDE_REGEXES ".*")
  list(LENGTH resolved count)
  if(unresolved OR NOT count EQUAL 1 OR NOT resolved MATCHES "/libqvhost\\.so")
    message(FATAL_ERROR "bin/qvkdc finds [${resolved}], does not find [${unresolved}]")
  endif()
  foreach(library IN LISTS resolved)
    file(REAL_PATH ${library} real)
    string(FIND "${real}" "${top}/lib/" at)
    if(NOT at EQUAL 0)
      message(FATAL_ERROR "bin/qvkdc loads ${real}, not a library of the archive")
    endif()
  endforeach()
endif()

# Every version the archive carries is VERSION.
file(STRINGS ${top}/include/qvkdc/version.h defines REGEX "^#define QVKDC_VERSION_")
foreach(define "MAJOR ${major}" "MINOR ${minor}" "PATCH ${patch}" "STRING \"${VERSION}\"")
  if(NOT "#define QVKDC_VERSION_${define}" IN_LIST defines)
    message(FATAL_ERROR "include/qvkdc/version.h lacks QVKDC_VERSION_${define}: ${defines}")
  endif()
endforeach()
file(STRINGS ${top}/lib/cmake/Qvkdc/QvkdcConfigVersion.cmake package_version
     REGEX "^set\\(PACKAGE_VERSION ")
if(NOT package_version STREQUAL "set(PACKAGE_VERSION \"${VERSION}\")")
  message(FATAL_ERROR "the CMake package says ${package_version}")
endif()
file(STRINGS ${top}/share/man/man1/qvkdc.1 title REGEX "^\\.TH ")
if(NOT title MATCHES "\"qvkdc ${VERSION}\"")
  message(FATAL_ERROR "the manual page's title line is ${title}")
endif()
run(${qvkdc} --version)
string(STRIP "${run_out}" said)
if(NOT said STREQUAL "qvkdc ${VERSION}")
  message(FATAL_ERROR "qvkdc --version says ${said}")
endif()
if(WINDOWS)
  run(${CMAKE_COMMAND} -DWINDRES=${WINDRES} -DIMAGE=${top}/bin/Qvkdc.dll -DVERSION=${VERSION}
      -P ${CMAKE_CURRENT_LIST_DIR}/../windows/CheckVersionResource.cmake)
  foreach(image bin/Qvkdc.dll bin/qvhost.dll bin/qvkdc.exe)
    run(${CMAKE_COMMAND} -DOBJDUMP=${OBJDUMP} -DIMAGE=${top}/${image}
        -P ${CMAKE_CURRENT_LIST_DIR}/../windows/CheckImage.cmake)
  endforeach()
endif()

# The demo shop, exported by the archive's qvkdc from a copy of the shop it
# carries.
file(COPY ${top}/share/doc/qvkdc/examples/shop/ DESTINATION ${WORK}/shop)
file(MAKE_DIRECTORY ${WORK}/out)
run(${qvkdc} export --model ${host_prefix}${WORK}/shop/model.json --root ${shop_root}
    --out ${host_prefix}${WORK}/out --name SHOP --messages ${host_prefix}${WORK}/out/messages.txt)
if(NOT run_out MATCHES "status: 0\r?\n?$")
  message(FATAL_ERROR "qvkdc export did not end with status: 0:\n${run_out}")
endif()

set(expected_dir ${SOURCE_DIR}/examples/shop/expected)
file(GLOB written RELATIVE ${WORK}/out ${WORK}/out/*)
file(GLOB wanted RELATIVE ${expected_dir} ${expected_dir}/*)
if(NOT written STREQUAL wanted)
  message(FATAL_ERROR "qvkdc wrote [${written}], expected [${wanted}]")
endif()
# The bytes of a file as "hh," per byte: file(READ) as text would take the
# CR out of CR LF.
function(read_bytes path out_var)
  file(READ ${path} hex HEX)
  string(REGEX REPLACE "(..)" "\\1," bytes "${hex}")
  set(${out_var} "${bytes}" PARENT_SCOPE)
endfunction()
foreach(file IN LISTS written)
  read_bytes(${WORK}/out/${file} got)
  read_bytes(${expected_dir}/${file} want)
  if(WINDOWS AND file MATCHES "\\.csv$")
    # Written in text mode: on Windows every line ends in CR LF, and no
    # other CR is written.
    string(REGEX MATCHALL "0d,0a," crlf "${got}")
    string(REPLACE "0d,0a," "0a," got "${got}")
    string(REGEX MATCHALL "0a," lf "${got}")
    list(LENGTH crlf crlf_count)
    list(LENGTH lf lf_count)
    if(NOT crlf_count EQUAL lf_count OR got MATCHES "(^|,)0d,")
      message(FATAL_ERROR "${file}: not every line ends in one CR LF")
    endif()
  endif()
  if(NOT got STREQUAL want)
    file(READ ${WORK}/out/${file} text)
    message(FATAL_ERROR "${file} differs from examples/shop/expected/${file}:\n${text}")
  endif()
endforeach()
message(STATUS "${name}: unpacked, versions agree, the demo shop exported as expected")
