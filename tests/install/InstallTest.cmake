# Installs the build into a fresh prefix and runs the installed program headless: it must open
# the sample and find its help file where the installation put it.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/zurval share/zurval/HelpZURVAL.hlp share/applications/zurval.desktop
             share/icons/hicolor/scalable/apps/zurval.svg share/mime/packages/zurval.xml)
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
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/zurval.desktop"
                  RESULT_VARIABLE valid OUTPUT_VARIABLE why ERROR_VARIABLE why)
  if(NOT valid EQUAL 0 OR NOT why STREQUAL "")
    message(FATAL_ERROR "desktop entry: ${why}")
  endif()
endif()
