#!/usr/bin/env bash
# Checks that includes follow the layers: the core (astro, retro, atlas, ephemeris and the non-gui
# parts of input, chart and output) and the command-line tool include no Qt and nothing above them;
# the Swiss Ephemeris layer (ephemeris) includes only the standard library, swephexp.h and its own
# headers; the UI foundation (ui/) includes no window folder and not the shell; a window folder
# (*/gui) includes neither the shell (app/) nor another window folder. Prints every breach; exit 1
# when any.
set -euo pipefail
cd "$(dirname "$0")/../src"

breaches=0
# check <description> <pattern> <files...>: every line of the files that matches is a breach.
check() {
  local what=$1 pattern=$2
  shift 2
  [ $# -gt 0 ] || return 0
  local hits
  hits=$(grep -HnE "$pattern" "$@" || true)
  if [ -n "$hits" ]; then
    echo "$what:"
    printf '%s\n' "$hits" | sed 's/^/  /'
    breaches=1
  fi
}

core=$(ls astro/*.{h,cpp} retro/*.{h,cpp} input/*.{h,cpp} chart/*.{h,cpp} output/*.{h,cpp} \
  atlas/*.{h,cpp} ephemeris/*.{h,cpp} cli/*.{h,cpp} 2>/dev/null)
# shellcheck disable=SC2086
check "core or command-line file includes Qt or a layer above it" \
  '^\s*#\s*include\s*[<"](Q[A-Za-z]*[>/]|ui/|app/|[a-z]+/gui/)' $core

# The ephemeris layer: every include is a standard header (<name>), swephexp.h or its own.
mapfile -t ephemeris < <(ls ephemeris/*.{h,cpp} 2>/dev/null)
if [ ${#ephemeris[@]} -gt 0 ]; then
  hits=$(grep -HnE '^\s*#\s*include' "${ephemeris[@]}" |
    grep -vE '#\s*include\s*(<[a-z_]+>|"swephexp\.h"|"ephemeris/[A-Za-z]+\.h")\s*$' || true)
  if [ -n "$hits" ]; then
    echo "ephemeris file includes something besides the standard library and swephexp.h:"
    printf '%s\n' "$hits" | sed 's/^/  /'
    breaches=1
  fi
fi

mapfile -t foundation < <(ls ui/*.{h,cpp})
check "UI foundation includes a window folder or the shell" \
  '^\s*#\s*include\s*"(app/|[a-z]+/gui/)' "${foundation[@]}"

for folder in */gui; do
  others=$(ls -d */gui | grep -vx "$folder" | paste -sd'|')
  mapfile -t files < <(ls "$folder"/*.{h,cpp} 2>/dev/null)
  check "$folder includes the shell or another window folder" \
    "^\\s*#\\s*include\\s*\"(app/|(${others})/)" "${files[@]}"
done

if [ "$breaches" -ne 0 ]; then exit 1; fi
echo "Includes follow the layers."
