#!/bin/sh
# Installs everything needed to build, test and package on Debian 12 (run as root or with
# sudo): desktop-file-utils and appstream validate the installed desktop entry and metadata,
# dpkg-dev and file let `cpack -G DEB` compute the package dependencies, lintian checks the
# package; the desktop tests need setxkbmap, XTest, xinput, a session bus, weston with Qt's
# wayland plugin and kwriteconfig5; at-spi2-core and python3-pyatspi let
# scripts/show-accessibility.sh show the window as a screen reader does.
set -e
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
# sudo drops the environment, so the front end is passed through env.
APT="$SUDO env DEBIAN_FRONTEND=noninteractive apt-get"
$APT update -qq
$APT install -y -qq --no-install-recommends \
  cmake ninja-build g++ pkg-config git ca-certificates \
  qt6-base-dev qt6-base-private-dev qt6-svg-dev libgl-dev libudev-dev \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  clang libclang-rt-14-dev \
  fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei xvfb xauth \
  qemu-system-x86 linux-image-amd64 busybox-static cpio udev \
  desktop-file-utils appstream dpkg-dev file lintian \
  x11-xkb-utils libxtst-dev xinput dbus weston qt6-wayland libkf5config-bin \
  at-spi2-core python3-pyatspi
