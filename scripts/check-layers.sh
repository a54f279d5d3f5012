#!/usr/bin/env bash
# Checks that includes follow the layers (docs/ARCHITECTURE.md). Every folder under src/ has an
# allow-list: the folders its files may include besides its own. The folders without Qt include
# no Qt header, and the folders, taken together, include each other in no circle. The Swiss
# Ephemeris layer (ephemeris/) includes only the standard library, swephexp.h and its own
# headers. Prints every breach; exit 1 when any.
set -euo pipefail
cd "$(dirname "$0")/../src"

# Folders each folder may include besides itself.
declare -A allowed=(
  [domain]=""
  [astro]="domain"
  [retro]="domain"
  [atlas]="domain"
  [tz]="domain atlas"
  [input]="domain astro"
  [chart]="domain astro input"
  [reading]="domain astro retro input chart ephemeris"
  [output]="domain astro input chart reading"
  [cli]="domain astro retro atlas tz input chart reading output ephemeris"
  [bmp2jpeg]=""
  [ephemeris]=""
  [ui]="domain astro input output"
  [input/gui]="domain astro atlas tz input reading ui"
  [chart/gui]="domain astro input chart reading ui"
  [output/gui]="domain astro input chart reading output bmp2jpeg ui"
  [app]="domain astro retro atlas tz input chart reading output ephemeris bmp2jpeg ui input/gui chart/gui output/gui"
)
# Folders that include no Qt header (tz/ reads the zone database through QtCore behind the
# atlas's interface; the windows, the foundation and the shell are Qt programs).
no_qt="domain astro retro atlas ephemeris input chart reading output cli"

breaches=0
breach() {
  [ "$breaches" -eq 1 ] || echo "Includes that break the layers:"
  echo "  $1"
  breaches=1
}

folders=$(find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||; s|/[^/]*$||' | sort -u)
edges=""
for folder in $folders; do
  if [ -z "${allowed[$folder]+set}" ]; then
    breach "$folder/ has no allow-list in scripts/check-layers.sh"
    continue
  fi
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS=: read -r line target; do
      if [[ $target == Q* ]]; then
        if [[ " $no_qt " == *" $folder "* ]]; then
          breach "$file:$line includes Qt <$target>, and $folder/ has no Qt"
        fi
        continue
      fi
      [[ $target == */* ]] || continue
      to=${target%/*}
      [ "$to" = "$folder" ] && continue
      [ -d "$to" ] || continue  # a system or generated header such as <sys/stat.h>
      edges+="$folder $to"$'\n'
      if [[ " ${allowed[$folder]} " != *" $to "* ]]; then
        breach "$file:$line includes \"$target\": $folder/ may include only ${allowed[$folder]:-itself}"
      fi
    done < <(grep -nE '^\s*#\s*include\s*[<"]' "$file" |
      sed -E 's/^([0-9]+):\s*#\s*include\s*[<"]([^>"]+)[>"].*/\1:\2/')
  done
done

# The ephemeris layer: every include is a standard header (<name>), swephexp.h or its own.
for file in ephemeris/*.h ephemeris/*.cpp; do
  [ -e "$file" ] || continue
  while IFS= read -r hit; do
    breach "$file:$hit: ephemeris/ includes only the standard library, swephexp.h and itself"
  done < <(grep -nE '^\s*#\s*include' "$file" |
    grep -vE '#\s*include\s*(<[a-z_]+>|"swephexp\.h"|"ephemeris/[A-Za-z]+\.h")\s*$' || true)
done

# A circle between folders: tsort reports a loop in the include graph.
loops=$(printf '%s' "$edges" | sort -u | tsort 2>&1 >/dev/null || true)
if [ -n "$loops" ]; then
  breach "folders include each other in a circle:"
  printf '%s\n' "$loops" | sed 's/^/    /'
fi

if [ "$breaches" -ne 0 ]; then exit 1; fi
echo "Includes follow the layers."
