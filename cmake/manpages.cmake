# Manual pages made at build time from each program's own --help and --version
# (help2man), with a hand-written part per program in docs/man/PROGRAM.h2m (files, exit
# status, examples). Installed gzipped under share/man/man1, as Debian wants them.
find_program(HELP2MAN help2man REQUIRED)
find_program(GZIP gzip REQUIRED)

set(LG81XX_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(lg81xx_program_help ${CMAKE_CURRENT_LIST_DIR}/program_help.pl)

# The one-line summary of each page's NAME section.
set(lg81xx_summary_lg81xx "manage LG U8110/U8120/U8130/U8138 phones in a window")
set(lg81xx_summary_lg81xx-cli "manage LG U8110/U8120/U8130/U8138 phones from a terminal")
set(lg81xx_summary_lg81xx-sim "a virtual LG U8110/U8120/U8130/U8138 phone on a pseudo-terminal")

set(pages)
foreach(program IN LISTS LG81XX_PROGRAMS)
  set(page ${LG81XX_MAN_DIR}/${program}.1)
  set(hand_written ${PROJECT_SOURCE_DIR}/docs/man/${program}.h2m)
  # The window answers --help without a display; a sanitizer build must not fail on a
  # leak report at exit.
  add_custom_command(
    OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LG81XX_MAN_DIR}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            ${HELP2MAN} --no-info --section=1 --name=${lg81xx_summary_${program}} --include=${hand_written}
            --output=${page} "perl ${lg81xx_program_help} $<TARGET_FILE:${program}>"
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${program} ${hand_written} ${lg81xx_program_help}
    COMMENT "Manual page ${program}(1)"
    VERBATIM)
  list(APPEND pages ${page}.gz)
endforeach()

add_custom_target(manpages ALL DEPENDS ${pages})
install(FILES ${pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
