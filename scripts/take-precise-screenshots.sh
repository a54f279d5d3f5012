#!/usr/bin/env bash
# Drives the real program under Xvfb with the precise positions chosen (Options, "Precise
# positions", mean node, as the settings file holds it): the known birth (Ann Example, 15 January
# 1980, 10:30 EST, New York) is typed into the form and calculated; the draconic and comparison
# views, with Uranus, Neptune, Pluto and Chiron, are saved as precise-draconic.png and
# precise-comparison.png; then, with Placidus houses and the asteroids and Lilith (Options, "House
# System", "Asteroids and Lilith"), the comparison as houses-placidus.png.
#   scripts/take-precise-screenshots.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1280x1024x24 "$0" "$@"
settings=$'[Positions]\nPositions=precise\nNode=mean'
start_program
type_known_birth
sleep 0.3

calculate_known_birth
import -window root "$out/precise-draconic.png"

buttons_y=124
click "$main" 750 $buttons_y; sleep 0.5; import -window root "$out/precise-comparison.png"
kill "$pid"; wait "$pid" 2>/dev/null || true; rm -rf "$home"

settings=$'[Positions]\nPositions=precise\nNode=mean\nHouses=placidus\nAsteroids=yes'
start_program
type_known_birth
sleep 0.3
calculate_known_birth
sleep 0.5
click "$main" 750 $buttons_y; sleep 0.5; import -window root "$out/houses-placidus.png"
echo "screenshots in $out"
