#!/usr/bin/env bash
# Installs a build folder into a scratch root and checks the result with appstreamcli
# validate-tree: the metainfo, and that its launchable names the desktop entry installed beside it.
#
# Usage: check-installed-tree.sh CMAKE BUILD-DIR
set -euo pipefail
cmake=$1 build=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
"$cmake" --install "$build" --prefix "$root/usr" >/dev/null
"$(dirname "$0")/quiet-check.sh" --ok 'Validation was successful\.$' appstream \
  appstreamcli validate-tree --no-net --pedantic "$root"
