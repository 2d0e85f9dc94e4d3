#!/bin/sh
# Builds everything (the programs, the tests, the benchmarks) and runs the whole test suite
# headless; checks the Debian package with lintian; then the same suite built with the address
# and undefined-behaviour sanitizers, the device-link tests with the thread sanitizer, and a
# short run of every fuzz target. Between the two, the device layer runs against the real Linux
# HID stack: a uhid mouse in a small virtual machine (tests/vm/run-vm-tests.sh; QEMU with
# Debian's kernel, about a minute). ZENTRO_SKIP_SANITIZERS=1 leaves out the sanitizer builds and
# ZENTRO_SKIP_VM=1 the virtual machine (for quick runs while developing); ZENTRO_FUZZ_SECONDS
# sets the time per fuzz target.
set -e
cd "$(dirname "$0")/.."
. ./scripts/runtime-dir.sh
./scripts/build.sh
echo "== tests and benchmarks"
cmake --build build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2 --timeout 600

echo "== the Debian package, checked by lintian"
./tests/install/CheckPackage.sh build

if [ "${ZENTRO_SKIP_VM:-0}" != 1 ]; then
  echo "== device layer against the real kernel: uhid mouse in a virtual machine"
  ./tests/vm/run-vm-tests.sh build
fi

if [ "${ZENTRO_SKIP_SANITIZERS:-0}" != 1 ]; then
  echo "== address and undefined-behaviour sanitizers"
  mkdir -p build-asan
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRO_SANITIZE=ON \
    -DZENTRO_BUILD_BENCH=OFF > build-asan/configure.log 2>&1 ||
    { cat build-asan/configure.log; exit 1; }
  cmake --build build-asan
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp" \
    ctest --test-dir build-asan --output-on-failure -j2 --timeout 900

  echo "== thread sanitizer: device link, event reader and hot-plug"
  mkdir -p build-tsan
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZENTRO_TSAN=ON \
    -DZENTRO_BUILD_GUI=OFF -DZENTRO_BUILD_BENCH=OFF > build-tsan/configure.log 2>&1 ||
    { cat build-tsan/configure.log; exit 1; }
  cmake --build build-tsan --target test_device
  TSAN_OPTIONS=halt_on_error=1 ./build-tsan/tests/test_device
fi

if [ -x scripts/fuzz.sh ]; then
  ZENTRO_FUZZ_SECONDS="${ZENTRO_FUZZ_SECONDS:-10}" ./scripts/fuzz.sh
fi
