# `cpack -G DEB` (or `make package`): a Debian package of what the install rules install,
# below /usr. Its dependencies are worked out by dpkg-shlibdeps from the shared libraries the
# program links; the OpenGL library is added by hand, as libepoxy opens it only at run time.
# The package installs files only (no maintainer scripts), so removing it leaves nothing but
# the player's own files in the per-user data folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalodrus3)
set(CPACK_PACKAGE_VENDOR Brask)
set(CPACK_PACKAGE_CONTACT "Kalodrus3 developers <kalodrus3@brask.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "casual time-management game")
# The extended description: lines of at most 79 characters (dpkg indents each by one), a
# paragraph break as a line holding only ".".
set(CPACK_PACKAGE_DESCRIPTION "\
Kalodrus 3 is a single-player casual time-management game. Send a small crew
of workers out from their lodges to clear the roads, gather food, wood and
gold, and build and upgrade buildings before each level's timer runs out.
.
Fast play earns medals, stars and a score; thieves and birds get in the way,
while bonuses help. Up to four players on one computer keep their own
progress.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A game: the program in /usr/games, its data in /usr/share/games (cmake/Install.cmake).
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KALODRUS_HOMEPAGE})
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/packages)
include(CPack)
