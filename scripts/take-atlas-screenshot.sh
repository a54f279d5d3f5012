#!/usr/bin/env bash
# Drives the real program under Xvfb: sets 15 January 1980 10:30 on the form, types "Zur" in the
# City box and saves the screen with the atlas's completions as atlas-completer.png; then picks
# Zurich with the keyboard and saves the filled form with its note line as atlas-chosen.png.
#   scripts/take-atlas-screenshot.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1280x800x24 "$0" "$@"
start_program
click "$form" 248 94; xdotool type --delay 20 "Ann Example"
choose 210 123 "15"
choose 262 123 "1980"
choose 118 152 "10"
choose 162 152 "30"
click "$form" 536 181; xdotool type --delay 60 "Zur"
sleep 1.5  # the first use builds the index
eval "$(xdotool getwindowgeometry --shell "$form")"
crop="$((WIDTH + 40))x$((HEIGHT + 60))+$((X - 20))+$((Y - 40))"
import -window root -crop "$crop" +repage "$out/atlas-completer.png"
xdotool key Down Return; sleep 0.5
import -window "$form" "$out/atlas-chosen.png"
echo "screenshots in $out/atlas-completer.png and $out/atlas-chosen.png"
