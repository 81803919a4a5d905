# GoogleTest and GoogleMock, precompiled for each test program large enough to gain from it:
# gcc's header costs about a second a file, its precompiled form a few seconds once. Each
# program compiles its own (a precompiled header is only used with the exact definitions it
# was made with, and test programs differ in theirs). The window's Qt headers are not
# precompiled: in the unity build its library is three or four units, fewer than would pay
# for the precompiled form. Included after every target exists;
# CMAKE_DISABLE_PRECOMPILE_HEADERS=ON turns it off.

# Every target defined in DIRECTORY and the folders below it.
function(lg81xx_targets_below directory out)
  get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(folders DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(folder IN LISTS folders)
    lg81xx_targets_below(${folder} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

set(lg81xx_pch_min_files 6)
if(LG81XX_BUILD_TESTS)
  lg81xx_targets_below(${PROJECT_SOURCE_DIR}/tests test_targets)
  foreach(target IN LISTS test_targets)
    get_target_property(type ${target} TYPE)
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "_test\\.cpp$")
    list(LENGTH sources files)
    get_target_property(libraries ${target} LINK_LIBRARIES)
    if(type STREQUAL "EXECUTABLE" AND files GREATER_EQUAL lg81xx_pch_min_files AND NOT "Qt6::Test" IN_LIST libraries)
      target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    endif()
  endforeach()
endif()
