#!/usr/bin/env bash
# Builds everything and runs every test: the default build (with the station-table staleness
# check), then the AddressSanitizer + UndefinedBehaviorSanitizer build. Set VELLORAN_SKIP_ASAN=1 to
# run only the first.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
if [ "${VELLORAN_SKIP_ASAN:-0}" != "1" ]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
fi
