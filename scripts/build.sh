#!/usr/bin/env bash
# Configures and builds the program, the database tool and the tests into build/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
extra=()
if [ "${CI:-}" = "true" ]; then extra+=(-DZEROR_WERROR=ON); fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "${extra[@]}"
cmake --build "$build" --parallel "$(nproc)"
