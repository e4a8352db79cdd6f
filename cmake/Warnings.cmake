# qvkdc_warnings: the warning set every target of the project builds with.
add_library(qvkdc_warnings INTERFACE)
target_compile_options(qvkdc_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
if(QVKDC_WARNINGS_AS_ERRORS)
  target_compile_options(qvkdc_warnings INTERFACE -Werror)
endif()

if(QVKDC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# The fuzz build: coverage for libFuzzer and both sanitizers in every target;
# the fuzz targets themselves link libFuzzer (fuzz/CMakeLists.txt).
if(QVKDC_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (Debian: apt-get install clang libclang-rt-dev)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
