# Fails when an include points the wrong way. Under src/ the layers, bottom to top, are
# base, platform, link, phone, jobs, shell: a file includes only from its own layer and
# those below, and the frame builders of phone/frames/ never reach for the Phone itself.
# Under app/ the window (gui) and the command line (cli) never include each other; the
# command line calls the jobs, never the window model (shell); the virtual phone (sim)
# includes nothing of the client above the phone layer and nothing of the two programs.
# Run as
#   cmake -DSOURCE_DIR=<src> -P check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(layers base platform link phone jobs shell)
set(wrong "")

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
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
      list(APPEND wrong "${source}: ${line}")
    elseif(source MATCHES "^phone/frames/" AND line MATCHES "\"phone/(phone|events|java_install|read_probe|sound_replacement)\\.h\"")
      list(APPEND wrong "${source}: ${line}")
    endif()
  endforeach()
endforeach()

# app/<part>: the layers of src/ it may not reach, and the other parts whose headers it
# may not include (a bare name found there and not in its own folder).
get_filename_component(APP_DIR ${SOURCE_DIR}/../app ABSOLUTE)
set(forbidden_layers_cli shell)
set(forbidden_layers_gui "")
set(forbidden_layers_sim jobs shell)
set(forbidden_parts_cli gui)
set(forbidden_parts_gui cli)
set(forbidden_parts_sim cli gui)
foreach(part cli gui sim)
  file(GLOB_RECURSE app_sources RELATIVE ${APP_DIR} ${APP_DIR}/${part}/*.h ${APP_DIR}/${part}/*.cpp)
  foreach(source ${app_sources})
    file(STRINGS ${APP_DIR}/${source} includes REGEX "^#include \"")
    foreach(line ${includes})
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header ${line})
      if(header MATCHES "/")
        string(REGEX MATCH "^[^/]+" target ${header})
        if(target IN_LIST forbidden_layers_${part})
          list(APPEND wrong "app/${source}: ${line}")
        endif()
      elseif(NOT EXISTS ${APP_DIR}/${part}/${header})
        foreach(other ${forbidden_parts_${part}})
          if(EXISTS ${APP_DIR}/${other}/${header})
            list(APPEND wrong "app/${source}: ${line} (from app/${other})")
          endif()
        endforeach()
      endif()
    endforeach()
  endforeach()
endforeach()

if(wrong)
  list(JOIN wrong "\n  " text)
  message(FATAL_ERROR "includes that point the wrong way:\n  ${text}")
endif()
message(STATUS "every include in ${SOURCE_DIR} and ${APP_DIR} points the right way")
