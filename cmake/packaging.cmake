# The Debian package: `cpack --preset release` (or scripts/package.sh, which also runs
# lintian) writes build/release/lg81xx_VERSION_ARCH.deb. Its Depends come from the
# programs' shared libraries (dpkg-shlibdeps), plus the Qt platform plugins that the
# window loads at run time.
find_program(GZIP gzip REQUIRED)
set(LG81XX_PACKAGE_MAINTAINER "lg81xx maintainers <maintainers@users.noreply.c-seed-f3e66c60.example>"
    CACHE STRING "Maintainer field of the Debian package")

# What Debian wants beside every package: the copyright file and a compressed changelog
# whose last entry names this version.
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
execute_process(COMMAND ${GZIP} -9n -c ${CMAKE_BINARY_DIR}/packaging/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/packaging/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lg81xx)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manage LG U8110/U8120/U8130/U8138 phones over a serial cable")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Reads the phone's IMEI and information text, lists its folders, installs\n"
    "Java ME applications (JAD and JAR), replaces the eighteen system sounds and\n"
    "downloads files. Three programs: lg81xx, the window; lg81xx-cli, the same\n"
    "jobs from a terminal; lg81xx-sim, a virtual phone on a pseudo-terminal to\n"
    "try them without a phone.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LG81XX_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION comm)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")  # the dialogs speak Italian
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

if(LG81XX_BUILD_TESTS AND LG81XX_BUILD_GUI AND LG81XX_MANPAGES)
  add_test(NAME package.deb COMMAND bash ${PROJECT_SOURCE_DIR}/tests/package/deb_contents_test.sh
                                    ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
  set_tests_properties(package.deb PROPERTIES LABELS package)
endif()
