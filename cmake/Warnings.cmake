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
