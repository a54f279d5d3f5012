#!/usr/bin/env bash
# Drives the real program under Xvfb through the known birth (Ann Example, 15 January 1980,
# 10:30 EST, New York) in the comparison view with the contacts window, and lays the draconic
# chart against another reading (Ravi Example, 5 March 1980, 07:05 Indian Time, Pune; written first with
# velloran-cli) and against the sky of 1 January 2000, 12:00 (the screen's clock is universal
# time). Saves contacts-synastry.png and contacts-transits.png.
#   scripts/take-against-screenshots.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1920x1000x24 "$0" "$@"
start_program
other="$home/ravi.vlr"
"$(dirname "$program")/velloran-cli" new --name "Ravi Example" --date 1980-03-05 --time 07:05 \
  --zone 34 --lat 18:31N --lon 73:51E --city Pune --state Maharashtra --country India -o "$other"
type_known_birth
sleep 0.3

calculate_known_birth
buttons_y=124
click "$main" 1070 $buttons_y; sleep 0.5  # Comparison

open_contacts

# Against: one step down is "another reading...", which asks for the file.
xdotool windowfocus --sync "$contacts"; sleep 0.2
xdotool key --window "$contacts" alt+a Down; sleep 1
xdotool type --delay 20 "$other"; xdotool key Return; sleep 1
import -window root -crop 1920x620+0+0 +repage "$out/contacts-synastry.png"

# One more step down is the sky; its date and time follow the list.
xdotool windowfocus --sync "$contacts"; sleep 0.2
xdotool key --window "$contacts" alt+a Down; sleep 0.5
# Tab selects the year; each full section moves on to the next: month, day, hour, minute.
xdotool key Tab; xdotool type --delay 30 "200001011200"; xdotool key Tab; sleep 0.8
import -window root -crop 1920x620+0+0 +repage "$out/contacts-transits.png"
echo "screenshots in $out"
