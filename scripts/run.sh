#!/usr/bin/env bash
# Builds the program and starts it (installing only what building and running it need; the test
# command installs the test tools).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
cmake --preset run >/dev/null
cmake --build --preset run -j "$(nproc)" --target velloran
exec build/run/bin/velloran "$@"
