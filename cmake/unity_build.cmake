# The unity build (CMAKE_UNITY_BUILD, on in the presets) compiles the files of each library
# and program in batches, one translation unit per batch: the standard, Qt and CLI11 headers
# are read once a batch instead of once a file. Tests, fuzz targets and benchmarks stay one
# file per unit (their CMakeLists turn it off).
#
# A batch is one unit, so two files of a target that define the same name in an anonymous
# namespace (or a static function of the same name) cannot share one. Such a file is
# compiled on its own: list it here. Paths that no longer exist are harmless.
# `cmake --preset debug -DCMAKE_UNITY_BUILD=OFF` builds file by file.
function(lg81xx_compile_alone directory)
  list(TRANSFORM ARGN PREPEND ${PROJECT_SOURCE_DIR}/${directory}/ OUTPUT_VARIABLE files)
  set_source_files_properties(${files} DIRECTORY ${PROJECT_SOURCE_DIR}/${directory}
                              PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

lg81xx_compile_alone(app/cli demo.cpp)  # joined(), as in command_listing.cpp
