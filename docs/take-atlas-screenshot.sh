#!/usr/bin/env bash
# Drives the real program under Xvfb: sets 15 January 1980 10:30 on the form, types "Zur" in the
# City box and saves the screen with the atlas's completions as atlas-completer.png; then picks
# Zurich with the keyboard and saves the filled form with its note line as atlas-chosen.png.
#   docs/take-atlas-screenshot.sh [program] [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath -s "${1:-build/default/bin/velloran}")
mkdir -p "${2:-docs}"
out=$(realpath "${2:-docs}")

if [ "${VELLORAN_INSIDE_XVFB:-}" != 1 ]; then
  export VELLORAN_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$program" "$out"
fi

home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config "$program" &
pid=$!

form=$(xdotool search --sync --onlyvisible --name '^Velloran v1.15$' | head -1)
sleep 0.5
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.15; }
. docs/known-birth.sh
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
