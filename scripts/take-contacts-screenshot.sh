#!/usr/bin/env bash
# Drives the real program under Xvfb through the known birth (Ann Example, 15 January 1980,
# 10:30 EST, New York), opens the comparison view and the natal-draconic contacts window with a
# 2.5° orb, and saves the screen as contacts.png. The screen is wide enough for the contacts
# window to stand beside the chart window.
#   scripts/take-contacts-screenshot.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1920x1000x24 "$0" "$@"
start_program
type_known_birth
sleep 0.3

calculate_known_birth

# The chart buttons stand centred on the screen: Natal, Draconic, Comparison.
buttons_y=124
click "$main" 1070 $buttons_y; sleep 0.5  # Comparison

open_contacts
# The orb list has the focus first: one step down from 2° is 2.5°.
xdotool windowfocus --sync "$contacts"; sleep 0.2
xdotool key --window "$contacts" alt+r Down; sleep 0.5
# The top of the screen: menus, toolbar, chart window and the contacts window beside it.
import -window root -crop 1920x600+0+0 +repage "$out/contacts.png"
echo "screenshot in $out/contacts.png"
