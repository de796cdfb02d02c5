#!/usr/bin/env bash
# Builds the fuzz targets of the file readers with clang and runs each briefly over its corpus
# (ZEROR_FUZZ_SECONDS per target, 12 by default: about a minute in all).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZEROR_FUZZ=ON -DZEROR_BUILD_TESTS=OFF -DZEROR_BUILD_BENCH=OFF \
    -DZEROR_FUZZ_SECONDS="${ZEROR_FUZZ_SECONDS:-12}"
cmake --build "$build" --target fuzz_oldproducer fuzz_oldproduct fuzz_oldbuyer fuzz_csv
cd "$build"
ctest -L fuzz --output-on-failure
