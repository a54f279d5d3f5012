#!/usr/bin/env bash
# Writes a folder of 300 readings with velloran-cli new (names, dates and places from a fixed
# list, one of them damaged, some in subfolders), drives the real program under Xvfb to File,
# "Readings Library..." (Ctrl+L) with that folder as its readings folder, types a search and
# saves the library window as library.png.
#   scripts/take-library-screenshot.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1280x800x24 "$0" "$@"
cli="$(dirname "$program")/velloran-cli"

library=$(mktemp -d)
firsts=(Ann Ravi Maria Tom Ines Kofi Lena Omar Yuki Sara Jonas Priya Liam Noor Elif)
lasts=(Example Shah Lopez Baker Silva Mensah Vogel Haddad Sato Berg Weber Rao Byrne Aziz Demir)
places=("Pune:Maharashtra:India:18:31N:073:51E:34"
  "London:England:UK:51:30N:000:07W:29"
  "New York:NY:USA:40:43N:074:00W:27"
  "Lagos:Lagos:Nigeria:06:27N:003:23E:20"
  "Lima:Lima:Peru:12:03S:077:03W:27"
  "Tokyo:Tokyo:Japan:35:41N:139:41E:38")
for i in $(seq 0 299); do
  IFS=: read -r city state country latd latm lond lonm zone <<<"${places[i % 6]}"
  name="${firsts[i % 15]} ${lasts[(i / 15) % 15]}"
  year=$((1930 + (i * 37) % 90)) month=$((1 + (i * 5) % 12)) day=$((1 + (i * 11) % 28))
  folder=$library
  [ $((i % 4)) -eq 0 ] && folder=$library/family && mkdir -p "$folder"
  "$cli" new --name "$name" --date "$(printf '%04d-%02d-%02d' $year $month $day)" \
    --time "$(printf '%02d:%02d' $((i % 24)) $(((i * 13) % 60)))" --zone "$zone" \
    --lat "$latd:$latm" --lon "$lond:$lonm" --city "$city" --state "$state" \
    --country "$country" -o "$folder/reading-$i.vlr" >/dev/null
done
printf 'not a reading\n' >"$library/Ann's notes.vlr"

settings=$(printf '[Library]\nFolder=%s\n' "$library")
start_program
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home" "$library"' EXIT
xdotool windowfocus --sync "$form"; sleep 0.3
xdotool key ctrl+l
window=$(xdotool search --sync --onlyvisible --name '^Readings Library$' | head -1)
sleep 2  # the folder listed and the signs computed
xdotool windowmove "$window" 0 0
xdotool windowfocus "$window"; sleep 0.3
xdotool type --delay 60 "an"; sleep 0.6
import -window "$window" "$out/library.png"
echo "screenshot in $out/library.png"
