# Fails when a source of the tools, the benchmarks or the fuzz targets
# includes a header of the library other than those of its examination
# interface (src/examine/): they ask the library through that interface
# only. Their include paths hold no other folder of src/, so such an
# include fails to compile; this also catches one spelled as a path that
# climbs into src/ ("../../src/entry/...").
#
#   cmake -DSOURCE_DIR=<project> -DSTAMP=<file> -P CheckExamineIncludes.cmake
#
# Writes STAMP when every include is allowed.
cmake_minimum_required(VERSION 3.25)

set(src "${SOURCE_DIR}/src")
set(allowed "${src}/examine")
set(search "${SOURCE_DIR}/tools/qvkdc" "${allowed}" "${SOURCE_DIR}/hostsim/include" "${SOURCE_DIR}/include"
           "${SOURCE_DIR}/hostsim/src" "${SOURCE_DIR}/bench" "${SOURCE_DIR}/fuzz")
file(GLOB_RECURSE sources LIST_DIRECTORIES false
  "${SOURCE_DIR}/tools/*.h" "${SOURCE_DIR}/tools/*.cpp"
  "${SOURCE_DIR}/bench/*.h" "${SOURCE_DIR}/bench/*.cpp"
  "${SOURCE_DIR}/fuzz/*.h" "${SOURCE_DIR}/fuzz/*.cpp")

set(bad "")
foreach(source IN LISTS sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  get_filename_component(dir "${source}" DIRECTORY)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*$" "\\1" header "${line}")
    set(found "")
    foreach(base IN ITEMS "${dir}" ${search})
      if(EXISTS "${base}/${header}")
        file(REAL_PATH "${base}/${header}" found)
        break()
      endif()
    endforeach()
    if(found STREQUAL "" AND EXISTS "${src}/${header}")
      file(REAL_PATH "${src}/${header}" found)
    endif()
    if(found STREQUAL "")
      continue()
    endif()
    string(FIND "${found}/" "${src}/" inSrc)
    string(FIND "${found}/" "${allowed}/" inExamine)
    if(inSrc EQUAL 0 AND NOT inExamine EQUAL 0)
      file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
      string(APPEND bad "\n  ${shown}: #include \"${header}\"")
    endif()
  endforeach()
endforeach()

if(NOT bad STREQUAL "")
  message(FATAL_ERROR "These sources include headers of the library outside its examination interface "
                      "(src/examine/); ask the library through that interface:${bad}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
