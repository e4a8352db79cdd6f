# The manual page qvkdc(1) and the bash completion of qvkdc, written at
# build time by the qvkdc just built (`qvkdc help --man`,
# `qvkdc help --completion bash`) from the commands and options its parser
# knows, and installed:
#
#   share/man/man1/qvkdc.1
#   share/bash-completion/completions/qvkdc
#
# In the build tree they lie at the same places below the build folder.
# Every preset that builds qvkdc builds them: the targets of the demo and
# the benchmark, which build qvkdc alone, depend on them too.
#
# The command-line reference docs/command-line.md is written the same way
# (`qvkdc help --markdown`), into the source tree, by the target
# command-line-reference, which no other target runs: the file is part of
# the sources, and the test CommandDocs.CommittedReferenceIsWhatQvkdcWrites
# fails when it differs from what qvkdc writes. So is the table of finding
# codes in docs/check.md (`qvkdc help --findings`), by the target
# findings-table, which writes that table alone; the test
# FindingCodes.CheckDocShowsTheList fails when it differs. And so is the
# table of value types in docs/configuration.md (`qvkdc help
# --value-types`), by the target value-types-table; the test
# ConfigurationReference.ValueTypeTableIsTheLibrarys fails when it differs.
#
# A cross build for Windows runs qvkdc.exe under Wine, like its tests (the
# emulator of cmake/Wine.cmake): the program that ships describes itself, and
# the build needs no second, native build of the tools. Wine writes the
# program's text-mode output with CR LF line ends, which
# GenerateCommandDoc.cmake takes out. Without an emulator (a cross build
# without tests) the two files are not made.
set(QVKDC_MAN_PAGE ${PROJECT_BINARY_DIR}/share/man/man1/qvkdc.1)
set(QVKDC_BASH_COMPLETION ${PROJECT_BINARY_DIR}/share/bash-completion/completions/qvkdc)

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(STATUS "No emulator to run qvkdc at build time: "
                 "its manual page and bash completion are not made")
  return()
endif()

set(_qvkdc_doc_depends qvkdc Qvkdc qvhost ${CMAKE_CURRENT_LIST_DIR}/GenerateCommandDoc.cmake)
if(TARGET wineprefix)
  list(APPEND _qvkdc_doc_depends wineprefix)
endif()
foreach(kind man bash)
  if(kind STREQUAL "man")
    set(output ${QVKDC_MAN_PAGE})
  else()
    set(output ${QVKDC_BASH_COMPLETION})
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND}
      "-DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR}"
      -DQVKDC=$<TARGET_FILE:qvkdc>
      -DKIND=${kind}
      -DOUTPUT=${output}
      -P ${CMAKE_CURRENT_LIST_DIR}/GenerateCommandDoc.cmake
    DEPENDS ${_qvkdc_doc_depends}
    COMMENT "Writing ${output} with qvkdc"
    VERBATIM)
endforeach()
add_custom_target(qvkdc_command_docs ALL DEPENDS ${QVKDC_MAN_PAGE} ${QVKDC_BASH_COMPLETION})

add_custom_target(command-line-reference
  COMMAND ${CMAKE_COMMAND}
    "-DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR}"
    -DQVKDC=$<TARGET_FILE:qvkdc>
    -DKIND=markdown
    -DOUTPUT=${PROJECT_SOURCE_DIR}/docs/command-line.md
    -P ${CMAKE_CURRENT_LIST_DIR}/GenerateCommandDoc.cmake
  DEPENDS ${_qvkdc_doc_depends}
  COMMENT "Writing docs/command-line.md with qvkdc"
  VERBATIM)

add_custom_target(findings-table
  COMMAND ${CMAKE_COMMAND}
    "-DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR}"
    -DQVKDC=$<TARGET_FILE:qvkdc>
    -DKIND=findings
    -DOUTPUT=${PROJECT_SOURCE_DIR}/docs/check.md
    -P ${CMAKE_CURRENT_LIST_DIR}/GenerateCommandDoc.cmake
  DEPENDS ${_qvkdc_doc_depends}
  COMMENT "Writing the table of finding codes in docs/check.md with qvkdc"
  VERBATIM)

add_custom_target(value-types-table
  COMMAND ${CMAKE_COMMAND}
    "-DRUNNER=${CMAKE_CROSSCOMPILING_EMULATOR}"
    -DQVKDC=$<TARGET_FILE:qvkdc>
    -DKIND=value-types
    -DOUTPUT=${PROJECT_SOURCE_DIR}/docs/configuration.md
    -P ${CMAKE_CURRENT_LIST_DIR}/GenerateCommandDoc.cmake
  DEPENDS ${_qvkdc_doc_depends}
  COMMENT "Writing the table of value types in docs/configuration.md with qvkdc"
  VERBATIM)

install(FILES ${QVKDC_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${QVKDC_BASH_COMPLETION}
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/bash-completion/completions)
