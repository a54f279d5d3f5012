#!/usr/bin/env bash
# Checks that includes follow the layers (docs/ARCHITECTURE.md). Every folder under src/ has an
# allow-list: the folders its files may include besides its own. An include is judged by the
# file it reaches, as the compiler finds it (a quoted name next to the including file first, then
# from src/), and no include climbs out with "..". The folders without Qt include no Qt header in
# any spelling (<QString>, <QtCore/QString>, <qstring.h>); tz/ includes QtCore headers only. The
# folders, taken together, include each other in no circle. The Swiss Ephemeris layer
# (ephemeris/) includes only the standard library, swephexp.h, the base's names and its own headers.
#
# Usage: check-layers.sh [--exact] [--used] [SOURCE_ROOT]
#   SOURCE_ROOT  the folder to check (default: the repository's src/)
#   --exact      also fail on an allow-list entry the code does not use, so the lists say what the
#                folders really include
#   --used       print, for every folder, the folders it includes
# Prints every breach; exit 1 when any.
set -euo pipefail

exact=0
print_used=0
root="$(dirname "$0")/../src"
for arg in "$@"; do
  case $arg in
    --exact) exact=1 ;;
    --used) print_used=1 ;;
    -*)
      echo "check-layers.sh: unknown option $arg" >&2
      exit 2
      ;;
    *) root=$arg ;;
  esac
done
cd "$root"

# Folders each folder may include besides itself: src/layers.txt, which the build reads too.
declare -A allowed=()
while IFS= read -r entry; do
  entry=${entry%%#*}
  [[ $entry == *:* ]] || continue
  folder=$(echo "${entry%%:*}" | xargs)
  allowed[$folder]=$(echo "${entry#*:}" | xargs)
done <layers.txt
# Folders that include no Qt header: the core, the command-line tool and the converter library.
no_qt="domain astro retro atlas ephemeris input glyphs wheel chart reading output collection cli bmp2jpeg"
# Folders that may include QtCore and nothing else of Qt: tz/ reads the zone database through it,
# behind the atlas's interface. A QtCore header is named with its module (<QtCore/QTimeZone>) or
# is one of these class headers.
qtcore_only="tz"
qtcore_headers="QByteArray QDate QDateTime QString QStringList QTime QTimeZone"
# Source files, by their endings.
sources=(-name '*.h' -o -name '*.hh' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o
  -name '*.cpp' -o -name '*.cxx' -o -name '*.inc' -o -name '*.ipp')

breaches=0
breach() {
  [ "$breaches" -eq 1 ] || echo "Includes that break the layers:"
  echo "  $1"
  breaches=1
}
in_list() { [[ " $2 " == *" $1 "* ]]; }

# Sets module to the Qt module a header belongs to: QtCore, QtGui, ... when the name tells, "Qt"
# for another Qt header (<QColor>, <qwidget.h>), empty when it is not Qt's.
qt_module() {
  module=""
  if [[ $1 =~ ^(Qt[A-Za-z0-9]*)/ ]]; then
    module=${BASH_REMATCH[1]}
  elif [[ $1 =~ ^Q[A-Za-z0-9_]*$ || $1 =~ ^q[a-z0-9_]*\.h$ ]]; then
    if in_list "$1" "$qtcore_headers"; then module=QtCore; else module=Qt; fi
  fi
}

declare -A used=()
folders=$(find . -type f \( "${sources[@]}" \) -printf '%h\n' | sed 's|^\./||' | sort -u)
for folder in $folders; do
  if [ -n "${allowed[$folder]+set}" ]; then
    used[$folder]=""
  elif [ "$folder" = . ]; then
    breach "a source file lies in the source root, outside every folder"
  else
    breach "$folder/ has no allow-list in src/layers.txt"
  fi
done

# Every include line of every source file, as file:line:bracket:name.
edges=""
while IFS=: read -r file line kind target; do
  if [[ $file == */* ]]; then folder=${file%/*}; else folder=.; fi
  [ -n "${used[$folder]+set}" ] || continue # a folder without an allow-list, reported above
  where="$file:$line"
  if [[ /$target/ == */../* ]]; then
    breach "$where includes \"$target\", a path that climbs out of its folder; name it from src/"
    continue
  fi
  target=${target#./}
  qt_module "$target"
  if [ -n "$module" ]; then
    if in_list "$folder" "$no_qt"; then
      breach "$where includes Qt <$target>, and $folder/ has no Qt"
    elif in_list "$folder" "$qtcore_only" && [ "$module" != QtCore ]; then
      breach "$where includes <$target>, not a QtCore header, and $folder/ may use QtCore only"
    fi
    continue
  fi
  # Where the compiler finds it: a quoted name next to the including file first.
  reached=$target
  if [ "$kind" = '"' ] && [ -e "$folder/$target" ]; then reached="$folder/$target"; fi
  if [[ $reached != */* ]]; then
    # A standard, system or generated header (<vector>, "Version.h"), or a file in the root.
    if [ -e "$reached" ]; then breach "$where includes \"$target\", a file outside every folder"; fi
    continue
  fi
  to=${reached%/*}
  [ "$to" = "$folder" ] && continue
  [ -d "$to" ] || continue # a system header such as <sys/stat.h>
  edges+="$folder $to"$'\n'
  in_list "$to" "${used[$folder]}" || used[$folder]+=" $to"
  if ! in_list "$to" "${allowed[$folder]}"; then
    breach "$where includes \"$target\" ($to/): $folder/ may include only ${allowed[$folder]:-itself}"
  fi
done < <(find . -type f \( "${sources[@]}" \) -print0 | sort -z |
  xargs -0 -r grep -nHE '^\s*#\s*include\s*[<"]' |
  sed -E 's|^\./||; s/^([^:]+):([0-9]+):\s*#\s*include\s*([<"])([^>"]+)[>"].*/\1:\2:\3:\4/')

# The ephemeris layer: every include is a standard header (<name>), swephexp.h, a header of the
# base (domain/) or its own.
while IFS= read -r file; do
  while IFS= read -r hit; do
    breach "$file:$hit: ephemeris/ includes only the standard library, swephexp.h, domain/ and itself"
  done < <(grep -nE '^\s*#\s*include' "$file" |
    grep -vE '#\s*include\s*(<[a-z_]+>|"swephexp\.h"|"(ephemeris|domain)/[A-Za-z]+\.h")\s*$' || true)
done < <([ -d ephemeris ] && find ephemeris -maxdepth 1 -type f \( "${sources[@]}" \) | sort)

# A circle between folders: tsort reports a loop in the include graph.
loops=$(printf '%s' "$edges" | sort -u | tsort 2>&1 >/dev/null || true)
if [ -n "$loops" ]; then
  breach "folders include each other in a circle:"
  printf '%s\n' "$loops" | sed 's/^/    /'
fi

# An allow-list entry that no include uses.
if [ "$exact" -eq 1 ]; then
  for folder in $(printf '%s\n' "${!used[@]}" | sort); do
    for to in ${allowed[$folder]}; do
      in_list "$to" "${used[$folder]}" ||
        breach "$folder/ may include $to/ but does not: take it off the allow-list"
    done
  done
fi

if [ "$print_used" -eq 1 ]; then
  for folder in "${!used[@]}"; do
    printf '%s: %s\n' "$folder" "$(printf '%s\n' ${used[$folder]} | sort | xargs)"
  done | sort
fi

if [ "$breaches" -ne 0 ]; then exit 1; fi
echo "Includes follow the layers."
