#!/bin/sh
# Configures build/ (Ninja, RelWithDebInfo; extra arguments go to cmake) and builds the two
# programs and what they need: program directory, skin, icons, manual pages. The tests and
# benchmarks are left to scripts/test.sh (or `cmake --build build` for everything).
set -e
cd "$(dirname "$0")/.."
. ./scripts/runtime-dir.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build --target zentro_programs
