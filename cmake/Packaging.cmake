# `make package`: a Debian package of what cmake/Install.cmake installs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sorario)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Sorario")
# The package's Maintainer field; a distributor building it sets their own.
set(SORARIO_MAINTAINER "Seed 1f1a6bf9 maintainers <maintainers@users.noreply.c-seed-1f1a6bf9.example>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${SORARIO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SORARIO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English-grammar test sheets for teachers")
set(CPACK_PACKAGE_DESCRIPTION
  "Loads question files, draws the questions of a test at random and prints\n\
B5 test sheets with an optional answer page, or writes the test to a text\n\
file. Includes sample question files and sorario-cli for batch work.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES TRUE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The platform plugins come separately from the Qt libraries; the sheets print in
# the IPA fonts that stand in for the Windows face names; Qt's own dialogs speak Japanese
# only with its translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6sql6 (>= 6.4), libqt6sql6-sqlite (>= 6.4), libqt6sql6-psql (>= 6.4), qt6-qpa-plugins, libqt6svg6, qt6-translations-l10n, fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-noto-cjk")
find_program(SORARIO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(SORARIO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()

include(CPack)
