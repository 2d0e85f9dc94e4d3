#!/bin/sh
# Shows the main window as a screen reader on the desktop's AT-SPI bus sees it: starts Xvfb, a
# session bus and the AT-SPI bus, runs the built program with the simulated mouse at a desktop
# scale (2 unless given), and prints the window's size and its controls by role and name.
# Given a button's name (PRESS, e.g. Config), it then presses that button over AT-SPI and prints
# the lists it opened with their entries (the profile list for Config).
#
#   scripts/show-accessibility.sh [BUILD_DIR] [SCALE] [PRESS]
#
# Needs xvfb, at-spi2-core and python3-pyatspi (scripts/install-deps.sh installs them). The
# program runs on a copy of the build's program directory, so its profiles stay untouched.
set -e
build=$(cd "${1:-build}" && pwd)
scale=${2:-2}
press=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
[ -x "$build/bin/zentro-mouse" ] || { echo "no $build/bin/zentro-mouse: build first" >&2; exit 1; }
work=$(mktemp -d "$build/show-accessibility.XXXXXX")
trap 'rm -rf "$work"' EXIT
cp -r "$build/bin" "$work/program"
mkdir -p "$work/home"
exec dbus-run-session -- sh -c '
  work=$1 scale=$2 here=$3 press=$4
  export HOME="$work/home" DISPLAY=:73
  Xvfb :73 -screen 0 3200x2000x24 >/dev/null 2>&1 & xvfb=$!
  sleep 1
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 & bus=$!
  sleep 2
  ZENTRO_DEVICE=simulated QT_SCALE_FACTOR=$scale QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$work/program/zentro-mouse" >"$work/program.log" 2>&1 & app=$!
  sleep 6
  status=0
  /usr/bin/python3 "$here/show-accessibility.py" zentro-mouse $press || status=$?
  kill $app $bus $xvfb 2>/dev/null || true
  wait 2>/dev/null || true
  exit $status
' sh "$work" "$scale" "$here" "$press"
