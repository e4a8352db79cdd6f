# Cross build for Windows x86-64 with MinGW-w64 (Debian: g++-mingw-w64-x86-64).
#
# The POSIX-threads variant of the compiler is taken when it is there: its
# standard library has std::thread and std::mutex, which the win32 variant
# of GCC 12 lacks. The GCC run time, the C++ standard library and winpthread
# are linked statically, so Qvkdc.dll and the programs need no MinGW DLL
# beside them; they import only from the system and from the host's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QVKDC_MINGW_TRIPLE x86_64-w64-mingw32)

find_program(QVKDC_MINGW_CXX NAMES ${QVKDC_MINGW_TRIPLE}-g++-posix ${QVKDC_MINGW_TRIPLE}-g++)
find_program(QVKDC_MINGW_CC NAMES ${QVKDC_MINGW_TRIPLE}-gcc-posix ${QVKDC_MINGW_TRIPLE}-gcc)
if(NOT QVKDC_MINGW_CXX OR NOT QVKDC_MINGW_CC)
  message(FATAL_ERROR
    "MinGW-w64 was not found. Install the Debian package: apt-get install g++-mingw-w64-x86-64")
endif()
set(CMAKE_CXX_COMPILER ${QVKDC_MINGW_CXX})
set(CMAKE_C_COMPILER ${QVKDC_MINGW_CC})
set(CMAKE_RC_COMPILER ${QVKDC_MINGW_TRIPLE}-windres)

# Headers and libraries of the target come from the MinGW tree only; the
# build machine's /usr/include and /usr/lib stay out of the way.
set(CMAKE_FIND_ROOT_PATH /usr/${QVKDC_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
