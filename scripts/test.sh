#!/bin/sh
# Builds and runs the whole test suite headless, then a short run of every fuzz target.
set -e
cd "$(dirname "$0")/.."
./scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 600
if [ -x scripts/fuzz.sh ]; then
  ZENTRO_FUZZ_SECONDS="${ZENTRO_FUZZ_SECONDS:-10}" ./scripts/fuzz.sh
fi
