#!/usr/bin/env bash
# Drives the real program under Xvfb through a whole reading of the known birth (Ann Example,
# 15 January 1980, 10:30 EST, New York) and saves screenshots of the form and the three views.
#   scripts/take-screenshots.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1280x800x24 "$0" "$@"
start_program
type_known_birth
sleep 0.3
import -window "$form" "$out/form.png"

calculate_known_birth
import -window root "$out/draconic.png"

buttons_y=124
click "$main" 529 $buttons_y; sleep 0.5; import -window root "$out/natal.png"
click "$main" 750 $buttons_y; sleep 0.5; import -window root "$out/comparison.png"
click "$main" 640 $buttons_y; sleep 0.5
echo "screenshots in $out"
