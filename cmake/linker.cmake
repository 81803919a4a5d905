# The linker. The sanitizer builds link large programs with full debug information, which
# the default linker (ld.bfd) does slowly: lld (scripts/install-deps.sh installs it) when the
# compiler can use it. LG81XX_LINKER=default keeps the compiler's own; any other value
# (mold, gold, bfd) is passed to -fuse-ld as it is.
set(LG81XX_LINKER "auto" CACHE STRING "Linker: auto (lld when it works, else the default), default, or a -fuse-ld name")
set(lg81xx_linker "")
if(LG81XX_LINKER STREQUAL "auto")
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld LG81XX_LLD_WORKS)
  if(LG81XX_LLD_WORKS)
    set(lg81xx_linker lld)
  endif()
elseif(NOT LG81XX_LINKER STREQUAL "default")
  set(lg81xx_linker ${LG81XX_LINKER})
endif()
if(lg81xx_linker)
  add_link_options(-fuse-ld=${lg81xx_linker})
endif()
