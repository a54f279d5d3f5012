#!/usr/bin/env bash
# Proves that scripts/check-layers.sh catches each kind of breach: on a copy of src/ it passes
# untouched, then every case plants one breach in a fresh copy and the check must fail, naming
# the breach. The copies live in one temporary folder, removed on exit.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check=$here/check-layers.sh
src=$here/../src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}
fresh_copy() {
  rm -rf "$work/src"
  cp -r "$src" "$work/src"
}
# Runs the check on the copy; $out holds what it printed, $rc its exit status.
run_check() {
  rc=0
  out=$("$check" "$@" "$work/src" 2>&1) || rc=$?
}

fresh_copy
run_check
[ "$rc" -eq 0 ] || fail "the untouched sources fail the check: $out"

# One breach a line: the file it goes in (made when missing) | the line appended to it | words the
# check's report must contain.
cases=(
  # An include that climbs out of its folder.
  'domain/Bodies.h|#include "../app/App.h"|climbs out'
  'chart/ChartFill.cpp|#include "../x.h"|climbs out'
  'input/gui/FrmMain.cpp|#include "../../ui/Platform.h"|climbs out'
  'tz/SystemLegalTime.cpp|#include <QtCore/../QtGui/QColor>|climbs out'
  # A quoted name found next to the including file reaches that folder.
  'input/FormCopy.cpp|#include "gui/FrmMain.h"|(input/gui/): input/ may include only'
  # Qt in a folder without Qt, in every spelling.
  'input/FormInput.h|#include <qstring.h>|has no Qt'
  'domain/Text.h|#include <qwidget.h>|has no Qt'
  'reading/Sky.cpp|#include <QWidget>|has no Qt'
  'output/ReadingFile.cpp|#include <QtWidgets/QWidget>|has no Qt'
  'chart/ChartFill.cpp|#include <QtGui/QColor>|has no Qt'
  'astro/Moon.cpp|#include <QColor>|has no Qt'
  'cli/Cli.cpp|#include <QtCore/QString>|has no Qt'
  'atlas/Atlas.cpp|#include "QString"|has no Qt'
  'bmp2jpeg/Bmp2Jpeg.cpp|#include <QImage>|has no Qt'
  # tz/ takes QtCore only.
  'tz/SystemLegalTime.cpp|#include <QColor>|may use QtCore only'
  'tz/SystemLegalTime.cpp|#include <QWidget>|may use QtCore only'
  'tz/SystemLegalTime.cpp|#include <QtGui/QImage>|may use QtCore only'
  'tz/SystemLegalTime.cpp|#include <QtWidgets/QWidget>|may use QtCore only'
  'tz/SystemLegalTime.cpp|#include <qcolor.h>|may use QtCore only'
  'tz/SystemLegalTime.cpp|#include <QtWidgets>|may use QtCore only'
  # A folder outside its allow-list, upward or sideways.
  'domain/Chart.h|#include "astro/Engine.h"|domain/ may include only itself'
  'ui/Links.cpp|#include "app/App.h"|ui/ may include only'
  'chart/gui/WheelArt.cpp|#include "output/gui/OutputCommands.h"|chart/gui/ may include only'
  'output/ReadingFile.cpp|#include <ui/Platform.h>|output/ may include only'
  # Every source ending is read, not only .h and .cpp.
  'domain/Extra.c|#include "app/App.h"|domain/ may include only itself'
  'domain/Extra.hpp|#include <QWidget>|has no Qt'
  # A circle between folders.
  'input/Loop.h|#include "reading/Reading.h"|in a circle'
  # A folder without an allow-list, and a source file outside every folder.
  'extra/Extra.h|#include "domain/Bodies.h"|has no allow-list'
  'Stray.h|#include <string>|outside every folder'
  # The ephemeris layer: the standard library, swephexp.h, the base and itself only.
  'ephemeris/SwissEphemeris.cpp|#include <sys/stat.h>|ephemeris/ includes only'
  'ephemeris/SwissEphemeris.cpp|#include "astro/Engine.h"|ephemeris/ includes only'
)
for entry in "${cases[@]}"; do
  IFS='|' read -r file line expected <<<"$entry"
  fresh_copy
  mkdir -p "$(dirname "$work/src/$file")"
  printf '%s\n' "$line" >>"$work/src/$file"
  run_check
  if [ "$rc" -ne 1 ]; then
    fail "$file with $line: the check exits $rc, not 1"
  elif [[ $out != *"$expected"* ]]; then
    fail "$file with $line: the report does not say \"$expected\": $out"
  fi
done

# What tz/ may include: QtCore by its module's name or a QtCore class header.
for line in '#include <QtCore/QTimeZone>' '#include <QtCore/qdatetime.h>' '#include <QString>'; do
  fresh_copy
  printf '%s\n' "$line" >>"$work/src/tz/SystemLegalTime.cpp"
  run_check
  [ "$rc" -eq 0 ] || fail "tz/ with $line: $out"
done

# --exact: an allow-list entry that no include uses. Without output/gui's and app's includes of the
# converter, their lists name bmp2jpeg/ for nothing; the plain check still passes.
fresh_copy
sed -i '/#include "bmp2jpeg\//d' "$work"/src/output/gui/*.cpp "$work"/src/app/*.h
run_check
[ "$rc" -eq 0 ] || fail "fewer includes fail the plain check: $out"
run_check --exact
if [ "$rc" -ne 1 ] || [[ $out != *"output/gui/ may include bmp2jpeg/ but does not"* ]]; then
  fail "--exact misses an unused allow-list entry (exit $rc): $out"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures case(s) failed."
  exit 1
fi
echo "check-layers.sh catches every planted breach (${#cases[@]} cases)."
