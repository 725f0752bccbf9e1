# Installs the build into a fresh prefix and runs the installed program headless: it must open
# the sample and find its help file where the installation put it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(icons share/icons/hicolor/scalable/apps/zurval.svg)
foreach(size 16 32 48 64 128 256)
  list(APPEND icons share/icons/hicolor/${size}x${size}/apps/zurval.png)
endforeach()
foreach(file bin/zurval share/zurval/HelpZURVAL.hlp share/man/man1/zurval.1.gz
             share/doc/zurval/copyright share/doc/zurval/changelog.gz
             share/applications/ru.zurval.zurval.desktop share/metainfo/ru.zurval.zurval.metainfo.xml
             share/mime/packages/zurval.xml ${icons})
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
execute_process(COMMAND "${PREFIX}/bin/zurval" --dump-state "${SAMPLE}" --do M_Help
                RESULT_VARIABLE opened OUTPUT_VARIABLE state ERROR_QUIET)
if(NOT opened EQUAL 0)
  message(FATAL_ERROR "the installed program did not open the sample")
endif()
string(JSON messages GET "${state}" messages)
if(NOT messages STREQUAL "[]")
  message(FATAL_ERROR "the installed program said: ${messages}")
endif()
# The desktop entry and the AppStream metadata pass their validators without a remark.
find_program(VALIDATE_DESKTOP desktop-file-validate)
if(VALIDATE_DESKTOP)
  execute_process(COMMAND "${VALIDATE_DESKTOP}" "${PREFIX}/share/applications/ru.zurval.zurval.desktop"
                  RESULT_VARIABLE valid OUTPUT_VARIABLE why ERROR_VARIABLE why)
  if(NOT valid EQUAL 0 OR NOT why STREQUAL "")
    message(FATAL_ERROR "desktop entry: ${why}")
  endif()
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --pedantic --no-net --no-color
                          "${PREFIX}/share/metainfo/ru.zurval.zurval.metainfo.xml"
                  RESULT_VARIABLE valid OUTPUT_VARIABLE why ERROR_VARIABLE why)
  if(NOT valid EQUAL 0 OR NOT why MATCHES "Validation was successful\\.\n$")
    message(FATAL_ERROR "AppStream metadata: ${why}")
  endif()
endif()
