#!/bin/sh
# Installs everything needed to build, test and package on Debian 12 (run as root or with
# sudo): desktop-file-utils and appstream validate the installed desktop entry and metadata,
# dpkg-dev and file let `cpack -G DEB` compute the package dependencies.
set -e
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ pkg-config git ca-certificates \
  qt6-base-dev qt6-svg-dev libgl-dev libudev-dev \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  clang libclang-rt-14-dev \
  fonts-dejavu-core fonts-liberation2 fonts-wqy-microhei xvfb xauth \
  desktop-file-utils appstream dpkg-dev file
