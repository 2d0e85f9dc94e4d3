#!/bin/sh
# The program's main job: the configuration window, run against the simulated mouse so that it
# works without the hardware. Without a display (a server or a container) the same simulated
# mouse is shown through zentroctl instead.
set -e
cd "$(dirname "$0")/.."
. ./scripts/runtime-dir.sh
if [ -n "$DISPLAY" ] || [ -n "$WAYLAND_DISPLAY" ]; then
  exec env ZENTRO_DEVICE=simulated ./build/bin/zentro-mouse "$@"
fi
echo "run.sh: no display found (DISPLAY and WAYLAND_DISPLAY are unset);" \
     "showing the simulated mouse with zentroctl instead." >&2
./build/bin/zentroctl --device simulated list
./build/bin/zentroctl --device simulated info
