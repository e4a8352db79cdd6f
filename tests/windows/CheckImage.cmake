# Checks a Windows image (cmake -P) with objdump -p: it imports no DLL of the
# MinGW run time (libstdc++, libgcc, winpthread), which would have to ship
# beside it, and when EXPORTS is given, its export table names exactly those
# functions, undecorated.
# Takes OBJDUMP, IMAGE and optionally EXPORTS (a list).
execute_process(COMMAND ${OBJDUMP} -p ${IMAGE}
  RESULT_VARIABLE result OUTPUT_VARIABLE dump ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${IMAGE} failed: ${err}")
endif()
string(REPLACE "\n" ";" lines "${dump}")

set(imports "")
set(exports "")
set(in_names OFF)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*DLL Name: (.+)$")
    list(APPEND imports "${CMAKE_MATCH_1}")
  endif()
  if(line MATCHES "^\\[Ordinal/Name Pointer\\] Table")
    set(in_names ON)
  elseif(in_names)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      list(APPEND exports "${CMAKE_MATCH_1}")
    else()
      set(in_names OFF)
    endif()
  endif()
endforeach()

message(STATUS "${IMAGE}\n  imports: ${imports}\n  exports: ${exports}")
foreach(dll IN LISTS imports)
  if(dll MATCHES "^lib(stdc\\+\\+|gcc|winpthread)")
    message(FATAL_ERROR "${IMAGE} imports ${dll}, a DLL of the MinGW run time")
  endif()
endforeach()
if(DEFINED EXPORTS)
  list(SORT exports)
  set(expected ${EXPORTS})
  list(SORT expected)
  if(NOT exports STREQUAL expected)
    message(FATAL_ERROR "${IMAGE} exports [${exports}], expected [${expected}]")
  endif()
endif()
