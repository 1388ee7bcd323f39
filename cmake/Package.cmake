# `make package`: a Debian package of what `cmake --install` installs, under /usr. Its libraries,
# SDL's among them, come from the binary (dpkg-shlibdeps), and what SDL loads for a desktop comes
# with Debian's SDL package; the window font is asked for by name, since the program only finds it
# at run time through fontconfig.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "The QUILLET crew")
set(CPACK_PACKAGE_CONTACT "The QUILLET crew <crew@quillet.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "typing game against the clock, one big letter at a time")
set(CPACK_PACKAGE_DESCRIPTION "QUILLET shows one big upper-case letter in a small window: type it
before its countdown runs out. Each hit scores and speeds the game up through
seven levels; a wrong key or an expired countdown ends the game.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-horai-umefont | fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
