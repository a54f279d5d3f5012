#!/usr/bin/env bash
# Builds the program and the command-line tool, says where they are, and starts the program
# (installing only what building and running them need; the test command installs the test tools).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
cmake --preset run >/dev/null
cmake --build --preset run -j "$(nproc)" --target velloran velloran-cli
echo "Built build/run/bin/velloran and build/run/bin/velloran-cli (velloran-cli --help lists its commands)." >&2
exec build/run/bin/velloran "$@"
