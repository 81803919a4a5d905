# Warnings for the project's own targets; third-party headers come in as system headers.
function(lg81xx_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                           -Wno-sign-conversion -Wnon-virtual-dtor -Wold-style-cast
                                           -Woverloaded-virtual)
endfunction()
