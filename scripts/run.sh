#!/bin/sh
# The program's main job with the simulated mouse: list its interfaces and connect to it.
set -e
cd "$(dirname "$0")/.."
./build/bin/zentroctl --device simulated list
./build/bin/zentroctl --device simulated info
