#!/usr/bin/env bash
# Drives the real program under Xvfb with the degree wheel chosen (Options, "Degree Wheel", as the
# settings file holds it): the known birth (Ann Example, 15 January 1980, 10:30 EST, New York) is
# typed into the form and calculated; the natal, draconic and comparison views are saved as
# wheel-natal.png, wheel-draconic.png and wheel-comparison.png, then the comparison with the
# precise positions in the dark theme as wheel-precise-dark.png, and the natal view with Placidus
# houses and the asteroids and Lilith as wheel-placidus-asteroids.png.
#   scripts/take-wheel-screenshots.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/known-birth.sh
screenshot_session 1280x800x24 "$0" "$@"
settings=$'[Wheel]\nStyle=degree\nAspectLines=yes\nTheme=light'
start_program
type_known_birth
sleep 0.3

calculate_known_birth
sleep 0.5
import -window root "$out/wheel-draconic.png"
buttons_y=124
click "$main" 529 $buttons_y; sleep 0.5; import -window root "$out/wheel-natal.png"
click "$main" 750 $buttons_y; sleep 0.5; import -window root "$out/wheel-comparison.png"
kill "$pid"; wait "$pid" 2>/dev/null || true; rm -rf "$home"

settings=$'[Positions]\nPositions=precise\nNode=mean\n[Wheel]\nStyle=degree\nAspectLines=yes\nTheme=dark'
start_program
type_known_birth
sleep 0.3
calculate_known_birth
sleep 0.5
click "$main" 750 $buttons_y; sleep 0.5; import -window root "$out/wheel-precise-dark.png"
kill "$pid"; wait "$pid" 2>/dev/null || true; rm -rf "$home"

settings=$'[Positions]\nPositions=precise\nNode=mean\nHouses=placidus\nAsteroids=yes\n[Wheel]\nStyle=degree\nAspectLines=yes\nTheme=light'
start_program
type_known_birth
sleep 0.3
calculate_known_birth
sleep 0.5
click "$main" 529 $buttons_y; sleep 0.5; import -window root "$out/wheel-placidus-asteroids.png"
echo "screenshots in $out"
