# Fails when a file under src/ includes a header from a layer above its own. The layers,
# bottom to top: base, platform, link, phone, shell; inside phone/, the frame builders of
# phone/frames/ stay pure and never reach for the Phone itself. Run as
#   cmake -DSOURCE_DIR=<src> -P check_layers.cmake
set(layers base platform link phone shell)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(upward "")
foreach(source ${sources})
  string(REGEX MATCH "^[^/]+" layer ${source})
  list(FIND layers ${layer} rank)
  if(rank EQUAL -1)
    continue()  # not a layer: the build files
  endif()
  file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^#include \"[a-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" target ${line})
    list(FIND layers ${target} target_rank)
    if(target_rank EQUAL -1 OR target_rank GREATER rank)
      list(APPEND upward "${source}: ${line}")
    elseif(source MATCHES "^phone/frames/" AND line MATCHES "\"phone/(phone|events|java_install|read_probe|sound_replacement)\\.h\"")
      list(APPEND upward "${source}: ${line}")
    endif()
  endforeach()
endforeach()
if(upward)
  list(JOIN upward "\n  " text)
  message(FATAL_ERROR "includes that point up a layer (or out of the layers):\n  ${text}")
endif()
message(STATUS "every include in ${SOURCE_DIR} points down")
