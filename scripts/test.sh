#!/usr/bin/env bash
# Builds everything and runs every test: the default build (with the station-table staleness
# check); the core, the command-line tool and their tests without the desktop program, which must
# build and load without Qt Widgets (the style checks, the same for every build, ran in the
# first); then the AddressSanitizer + UndefinedBehaviorSanitizer build. Set VELLORAN_SKIP_ASAN=1
# to skip the last.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
cmake --preset default >/dev/null
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"
cmake --preset nogui >/dev/null
cmake --build --preset nogui -j "$jobs"
ctest --preset nogui -j "$jobs"
if [ "${VELLORAN_SKIP_ASAN:-0}" != "1" ]; then
  cmake --preset asan >/dev/null
  cmake --build --preset asan -j "$jobs"
  ctest --preset asan -j "$jobs"
fi
