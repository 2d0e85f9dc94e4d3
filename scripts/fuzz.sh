#!/bin/sh
# Builds the libFuzzer targets in build-fuzz and runs each for ZENTRO_FUZZ_SECONDS (default 10)
# seconds on a writable copy of its seed corpus. Fails when a target finds a crash.
set -e
cd "$(dirname "$0")/.."

if ! command -v clang >/dev/null 2>&1 || ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang and clang++ are needed for the libFuzzer targets (scripts/install-deps.sh installs them)" >&2
  exit 1
fi

seconds="${ZENTRO_FUZZ_SECONDS:-10}"
build="build-fuzz"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DZENTRO_BUILD_FUZZ=ON \
  -DZENTRO_BUILD_GUI=OFF -DZENTRO_BUILD_TESTS=OFF -DZENTRO_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS=$flags"
cmake --build "$build" --target zentro_fuzz -j2

mkdir -p "$build/artifacts" "$build/corpus"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=""
found=0
for target in "$build"/fuzz/Fuzz*; do
  [ -x "$target" ] || continue
  found=1
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  if [ -d "tests/fuzz/corpus/$name" ]; then
    cp -R "tests/fuzz/corpus/$name/." "$corpus/"
  fi
  echo "== $name: ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -artifact_prefix="$build/artifacts/" -print_final_stats=1 "$corpus" \
      >"$build/artifacts/$name.log" 2>&1; then
    echo "fuzz.sh: $name failed; tail of $build/artifacts/$name.log:" >&2
    tail -n 60 "$build/artifacts/$name.log" >&2
    failed="$failed $name"
  else
    grep -E '^(stat::number_of_executed_units|#[0-9]+ *DONE)' "$build/artifacts/$name.log" || true
  fi
done

if [ "$found" -eq 0 ]; then
  echo "fuzz.sh: no fuzz targets were built in $build/fuzz" >&2
  exit 1
fi
if [ -n "$failed" ]; then
  echo "fuzz.sh: crashes found in:$failed (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "fuzz.sh: all fuzz targets ran ${seconds}s without a crash"
