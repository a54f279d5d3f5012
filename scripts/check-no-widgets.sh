#!/usr/bin/env bash
# Checks that programs built without the desktop program load no Qt GUI library: ldd lists every
# shared library a program needs, directly or through another, and none may be Qt Widgets, Gui,
# PrintSupport or OpenGL (QtCore, which tz/ reads the zone database through, may be there).
#   check-no-widgets.sh <program>...
set -euo pipefail
status=0
for program in "$@"; do
  libraries=$(ldd "$program")
  # Every C++ program here needs the C++ library: without it ldd did not list the dependencies.
  if ! grep -q 'libstdc++' <<<"$libraries"; then
    echo "$program: ldd lists no libstdc++, so its libraries are unknown"
    status=1
  elif grep -E 'libQt6(Widgets|Gui|PrintSupport|OpenGL)' <<<"$libraries"; then
    echo "$program: loads a Qt GUI library (above)"
    status=1
  fi
done
[ "$status" -ne 0 ] || echo "No Qt GUI library in: $*"
exit "$status"
