# The Debian package: `cpack -G DEB` in a Release build folder.
set(CPACK_PACKAGE_NAME tazumeki)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tazumeki")
set(TAZUMEKI_MAINTAINER "Tazumeki developers <tazumeki@users.noreply.github.com>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${TAZUMEKI_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "crossword typing trainer for Japanese kana")
set(CPACK_PACKAGE_DESCRIPTION
  "Tazumeki is a typing trainer built on a seven by seven crossword: read each
word's question, type its answer in kana and press Enter. Practise alone
against the clock on 99 patterns, with or without the questions shown, or race
a CPU opponent of nine ranks for the letters of the board.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries come from dpkg-shlibdeps; what is only loaded at run time is named here:
# the fonts the screens' font names are mapped to, Qt's platform plugins
# (libqt6gui6 only recommends them) and the SQLite driver of the play history
# (libqt6sql6 only recommends it). The sound backend comes with libqt6multimedia6.
# The package test plays a game and checks every plugin it loaded against these.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "fonts-ipafont-gothic, fonts-rocknroll, fonts-noto-cjk, qt6-qpa-plugins, libqt6sql6-sqlite")

include(CPack)
