# `make package`: a Debian package of what `cmake --install` installs, under /usr. Its libraries
# come from the binary (dpkg-shlibdeps); the window font is asked for by name, since the program
# only finds it at run time through fontconfig.
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
# SDL is built into the program and opens the display's libraries itself when it needs them, so
# dpkg-shlibdeps cannot see these: Xext (shared memory) and RandR on X11; on Wayland the cursor,
# keymap and EGL libraries, and GL or GLES for the frame buffer, which SDL keeps in a texture there.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-horai-umefont | fonts-ipafont-gothic, libxext6, libxrandr2, \
libwayland-cursor0, libwayland-egl1, libxkbcommon0, libegl1, libgl1 | libgles2")
# Without it a Wayland desktop that leaves decorations to the program (GNOME) shows no title bar.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libdecor-0-0")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
