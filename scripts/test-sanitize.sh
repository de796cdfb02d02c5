#!/usr/bin/env bash
# Builds the program and its tests with the address and undefined-behaviour sanitizers in
# build-sanitize/ and runs every test there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SANITIZE_BUILD_DIR:-$root/build-sanitize}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEROR_SANITIZE=ON -DZEROR_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tools/sanitize/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1"
cd "$build"
ctest --output-on-failure --timeout 300 -j "$(nproc)" -LE fuzz
