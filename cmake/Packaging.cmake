# `cpack -G DEB` in the build folder: the Debian package zentro-mouse, installed under /usr,
# with its dependencies computed from the shared libraries of the programs (dpkg-shlibdeps)
# and the udev rules reloaded after installing and removing where udev runs.

set(CPACK_PACKAGE_NAME "zentro-mouse")
set(CPACK_PACKAGE_VENDOR "ZENTRO")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator of the ZENTRO gaming mouse")
# Debian shows the description as it is: lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "The configuration program of the ZENTRO gaming mouse (USB 04d9:a165): DPI
stages and their colours, lighting, polling rate, axis sensitivity, the
functions of its twelve buttons, on-device macros and six profiles.
zentro-mouse is the window program with its tray icon; zentroctl lists,
switches, imports and exports profiles and sends them to the mouse from
scripts and keyboard shortcuts.")
set(CPACK_PACKAGE_CONTACT ${ZENTRO_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME "zentro-mouse")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no shared-library dependency shows it: the platform plugins (X11)
# without which the window cannot open. dpkg-shlibdeps adds the libraries to this.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# udev gives the user at the seat access to the mouse (the rule in lib/udev/rules.d); the
# Wayland plugin lets the window run as a native Wayland client.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev, qt6-wayland")
# The desktop's pointer settings: the session bus tool announces KDE's changes and speaks to
# KWin, xinput sets libinput's speed on X11, kwriteconfig writes Plasma's files its own way.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "dbus-bin, xinput, libkf5config-bin")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
  "${CMAKE_SOURCE_DIR}/packaging/postinst;${CMAKE_SOURCE_DIR}/packaging/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
