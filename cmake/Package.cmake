# The Debian package: `cpack -G DEB` in the build folder, or
# scripts/make-deb.sh. Its dependencies on shared libraries are found by
# dpkg-shlibdeps from what the program links; the rest are listed here.
set(CPACK_PACKAGE_NAME tempoloop)
set(CPACK_PACKAGE_VENDOR Tempoloop)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tempoloop <support@tempoloop.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "video player for dancers")
set(CPACK_PACKAGE_DESCRIPTION
  "Tempoloop is a video player for dancers who learn from instructional videos.
Step through a clip frame by frame or in jumps, play it slow or fast, mark a
stretch as a loop and repeat it until the move is learned. Loops become
bookmarks in a video catalog that can be replayed one by one or in sequence.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tempoloop.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so not seen by dpkg-shlibdeps: Qt's X11 platform plugin
# (without one no window opens).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The Wayland platform plugin; xdg-open for the user manual and web links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")

include(CPack)
