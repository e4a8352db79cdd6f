# qvkdc_installed_files(OUT WINDOWS VERSION SOURCE_DIR): the files that
# `cmake --install` puts under the prefix, relative to it, as a list in OUT:
# for a Windows build when WINDOWS is true; with the versioned names of the
# Linux library when VERSION is not empty; every docs/*.md of SOURCE_DIR.
function(qvkdc_installed_files out windows version source_dir)
  set(files include/qvkdc/qvkdc.h include/qvkdc/version.h
            lib/cmake/Qvkdc/QvkdcConfig.cmake lib/cmake/Qvkdc/QvkdcConfigVersion.cmake
            lib/cmake/Qvkdc/QvkdcTargets.cmake
            share/man/man1/qvkdc.1 share/bash-completion/completions/qvkdc
            share/doc/qvkdc/README.md share/doc/qvkdc/CHANGELOG.md
            share/doc/qvkdc/examples/shop/model.json
            share/doc/qvkdc/examples/shop/README.md
            share/doc/qvkdc/examples/shop/MIRVANE/CAM/KR/Tables/PlanCSVTable.tsv
            share/doc/qvkdc/examples/shop/MIRVANE/user/cam/nccust/rc_pln2usr.ini)
  file(GLOB docs RELATIVE ${source_dir} ${source_dir}/docs/*.md)
  foreach(doc IN LISTS docs)
    list(APPEND files share/doc/qvkdc/${doc})
  endforeach()
  if(windows)
    list(APPEND files bin/Qvkdc.dll lib/libQvkdc.dll.a lib/Qvkdc.def bin/qvkdc.exe bin/qvhost.dll)
  else()
    list(APPEND files lib/libQvkdc.so bin/qvkdc lib/libqvhost.so)
    if(version MATCHES "^([0-9]+)\\.([0-9]+)\\.")
      list(APPEND files lib/libQvkdc.so.${CMAKE_MATCH_1}.${CMAKE_MATCH_2} lib/libQvkdc.so.${version})
    endif()
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()
