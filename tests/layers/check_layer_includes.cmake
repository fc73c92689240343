cmake_minimum_required(VERSION 3.25)
# Fails when a file of src/ includes a layer its own layer may not use, or
# when a Qt-free layer includes Qt. Run as cmake -DSOURCE_DIR=<src> -P this.
set(allowed_util util)
set(allowed_imaging imaging util)
set(allowed_engine_core engine/core imaging util)
set(allowed_engine_batch engine/batch engine/core util)
set(allowed_engine_explore engine/explore engine/core util)
set(allowed_engine_colouring engine/colouring engine/core imaging util)
set(allowed_engine_file engine/file engine/colouring engine/core imaging util)
set(allowed_engine_animate engine/animate engine/core engine/batch engine/explore engine/colouring engine/file
    imaging util)
set(allowed_render render engine/core engine/batch engine/explore engine/colouring engine/file engine/animate
    imaging util)
set(allowed_services services util)
set(allowed_view view services imaging util)
set(allowed_dialogs dialogs services engine/core engine/colouring imaging util)
set(allowed_gallery gallery view services engine/core engine/batch engine/explore engine/colouring engine/file
    imaging util)
set(allowed_animation_window animation_window view services engine/core engine/batch engine/explore
    engine/colouring engine/file engine/animate imaging util)
set(allowed_window window frame dialogs view services engine/core engine/batch engine/explore engine/colouring
    engine/file engine/animate imaging util)
set(allowed_frame frame window gallery animation_window dialogs view services engine/core engine/batch engine/explore engine/colouring
    engine/file engine/animate imaging util)
set(qt_free util imaging engine_core engine_batch engine_explore engine_colouring engine_file engine_animate
    render)

set(failures "")
foreach(layer util imaging engine/core engine/batch engine/explore engine/colouring engine/file engine/animate
        render services view dialogs gallery animation_window window frame)
  string(REPLACE "/" "_" key ${layer})
  file(GLOB_RECURSE files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp ${SOURCE_DIR}/${layer}/*.inc)
  foreach(path ${files})
    file(STRINGS ${path} includes REGEX "^#include [\"<]")
    foreach(line ${includes})
      if(line MATCHES "^#include \"((engine/[a-z_]+)|([a-z_]+))/")
        set(used ${CMAKE_MATCH_1})
        if(NOT used IN_LIST allowed_${key})
          list(APPEND failures "${path}: ${layer} may not include ${used} (${line})")
        endif()
      elseif(key IN_LIST qt_free AND line MATCHES "^#include <Q")
        list(APPEND failures "${path}: ${layer} is Qt-free (${line})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  string(REPLACE ";" "\n" report "${failures}")
  message(FATAL_ERROR "Includes across layers that are not allowed:\n${report}")
endif()
