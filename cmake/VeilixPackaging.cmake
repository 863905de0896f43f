# `cpack -G DEB` in the build tree: a Debian package made from the install
# rules, installed under /usr.
set(VEILIX_PACKAGE_MAINTAINER "The Veilix developers <maintainers@veilix.invalid>"
  CACHE STRING "Maintainer named in the Debian package")

set(CPACK_PACKAGE_NAME veilix)
set(CPACK_PACKAGE_VENDOR "The Veilix developers")
set(CPACK_PACKAGE_CONTACT "${VEILIX_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://veilix.github.io/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "screen stencil: a black sheet with see-through holes")
set(CPACK_PACKAGE_DESCRIPTION
  "Veilix lays a borderless black sheet over part of the screen and lets you cut
see-through, click-through holes into it: rectangles, circles and ellipses.
Through a hole you see, and can click, whatever lies underneath; the black
rest of the sheet hides it. Use it as a reading mask, a presentation
spotlight or a privacy screen. It runs on X11 and Wayland desktops.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEILIX_PACKAGE_MAINTAINER}")
# The libraries linked come from dpkg-shlibdeps (dpkg-dev). Qt's platform
# plugins are loaded, not linked: the X11 one is needed; the Wayland one is
# wanted in Wayland sessions (without it the sheet goes through Xwayland),
# and the menu needs a font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-wine, fonts-dejavu-core | fonts-freefont-ttf")

include(CPack)
