# The tiers of src/ and what each may use. A library's tier is the first folder of its path
# under src/; arrows point down only: automation -> widgets -> render -> core.
set(ZURVAL_TIERS core render widgets automation)
# Qt modules (and what brings them in) that a tier may not reach.
set(ZURVAL_FORBIDDEN_core "Qt6::Gui|Qt6::Widgets|Qt6::PrintSupport|QCustomPlot")
set(ZURVAL_FORBIDDEN_render "Qt6::Widgets|Qt6::PrintSupport|QCustomPlot")

function(zurval_library name)
  add_library(${name} STATIC ${ARGN})
  # One compilation per library instead of one per file: the Qt headers are read once.
  set_target_properties(${name} PROPERTIES UNITY_BUILD ON)
  # Includes name their tier and folder: "core/frames/FrameBrowser.h".
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  file(RELATIVE_PATH below ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  string(REGEX MATCH "^[a-z]+" tier "${below}")
  if(NOT tier IN_LIST ZURVAL_TIERS)
    message(FATAL_ERROR "${name} lies in src/${below}, which is no tier")
  endif()
  set_property(TARGET ${name} PROPERTY ZURVAL_TIER ${tier})
  set_property(GLOBAL APPEND PROPERTY ZURVAL_LIBRARIES ${name})
  add_dependencies(${name} zurval_include_check)
endfunction()

# Everything a target links, directly or through other targets, imported ones included
# (QCustomPlot brings in Qt6::Widgets through its link interface).
function(zurval_reachable target out)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(imported ${current} IMPORTED)
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT imported AND NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} LINK_LIBRARIES)
    endif()
    get_target_property(interface ${current} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS links interface)
      # $<LINK_ONLY:Qt6::Core> and the like name a target too.
      string(REGEX REPLACE "^\\$<[A-Z_]+:(.*)>$" "\\1" lib "${lib}")
      if(lib AND TARGET ${lib})
        list(APPEND pending ${lib})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Stops the configuration when a library links one of a higher tier, or a Qt module its tier
# may not use.
function(zurval_check_layers)
  get_property(libraries GLOBAL PROPERTY ZURVAL_LIBRARIES)
  foreach(target IN LISTS libraries)
    get_target_property(tier ${target} ZURVAL_TIER)
    list(FIND ZURVAL_TIERS ${tier} rank)
    # A library may forbid itself more than its tier does (the commands that run without
    # widgets, say).
    get_target_property(forbidden ${target} ZURVAL_FORBIDDEN)
    zurval_reachable(${target} reached)
    foreach(lib IN LISTS reached)
      if(lib IN_LIST libraries)
        get_target_property(other ${lib} ZURVAL_TIER)
        list(FIND ZURVAL_TIERS ${other} otherRank)
        if(otherRank GREATER rank)
          message(FATAL_ERROR "${target} (${tier}) links ${lib} of the ${other} tier")
        endif()
      elseif(DEFINED ZURVAL_FORBIDDEN_${tier} AND lib MATCHES "${ZURVAL_FORBIDDEN_${tier}}")
        message(FATAL_ERROR "${target} (${tier}) reaches ${lib}")
      elseif(forbidden AND lib MATCHES "${forbidden}")
        message(FATAL_ERROR "${target} reaches ${lib}, which it may not use")
      endif()
    endforeach()
  endforeach()
endfunction()

# At every build in which a source changed: a file includes no header of a higher tier, and
# no core file includes a QtGui, QtWidgets or QtPrintSupport header.
function(zurval_add_include_check)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp)
  set(qtDirs "")
  foreach(module Gui Widgets PrintSupport)
    get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS dirs)
      if(dir MATCHES "/Qt${module}$")
        list(APPEND qtDirs ${dir})
      endif()
    endforeach()
  endforeach()
  set(stamp ${PROJECT_BINARY_DIR}/include-check.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src "-DQT_DIRS=${qtDirs}"
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckIncludes.cmake
    COMMENT "Checking the includes against the tiers" VERBATIM)
  add_custom_target(zurval_include_check DEPENDS ${stamp})
endfunction()
