# The Debian package: `cpack -G DEB` in the build folder makes kelvara_<version>_<arch>.deb,
# which installs everything `cmake --install` installs, below /usr. Its Depends line is
# read from the programs' shared libraries (dpkg-shlibdeps), so Qt 6 comes with it.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvara)
set(CPACK_PACKAGE_VENDOR "The Kelvara developers")
set(CPACK_PACKAGE_CONTACT "The Kelvara developers <kelvara@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dive logbook and settings tool for Vandrel dive computers")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelwin downloads the dives of a Vandrel dive computer through the infrared interface box, \
keeps them in logbook files, shows each dive's data and profile, replays it through the tissue \
model of the dive computer, keeps statistics and prints. Teswin reads, edits and writes the \
dive computer's settings. kvlog works on logbook files from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Debug information stays in the build folder; the package carries stripped programs.
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
