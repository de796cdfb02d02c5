#!/usr/bin/env bash
# Sets everything up, builds and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
# A short run of the file readers' fuzz targets over their corpus.
"$root/scripts/fuzz.sh"
build="${BUILD_DIR:-$root/build}"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 120 -j "$(nproc)"
