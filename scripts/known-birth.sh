# Sourced by the screenshot scripts: starts the program in a scratch home and types the known birth
# into its form window $form (Ann Example, 15 January 1980, 10:30 Eastern Standard Time, New York,
# NY, USA, 40° 43' North, 74° 0' West).

# Sets $program and $out from the calling script's arguments ([program] [output folder]) and runs
# the script again under Xvfb with a screen of the given size, unless it already runs there.
#   screenshot_session <WxHxD> "$0" "$@"
screenshot_session() {
  local screen=$1 script=$2
  shift 2
  program=$(realpath -s "${1:-build/default/bin/velloran}")
  mkdir -p "${2:-docs}"
  out=$(realpath "${2:-docs}")
  if [ "${VELLORAN_INSIDE_XVFB:-}" != 1 ]; then
    export VELLORAN_INSIDE_XVFB=1
    exec xvfb-run -a -s "-screen 0 $screen" "$script" "$program" "$out"
  fi
}

# Starts $program with a scratch home (removed, with the program, when the script ends) and sets
# $form to its birth-data window and $pid to the program. $settings, when set, is the program's
# settings file to start with; arguments go to the program (a reading file to open).
start_program() {
  home=$(mktemp -d)
  trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
  mkdir -m 700 "$home/run"
  if [ -n "${settings:-}" ]; then
    mkdir -p "$home/config/velloran"
    printf '%s\n' "$settings" > "$home/config/velloran/velloran.conf"
  fi
  HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config "$program" "$@" &
  pid=$!
  form=$(xdotool search --sync --onlyvisible --name '^Velloran v[0-9.]+$' | head -1)
  sleep 0.5
}

# The main window that a calculation opens beside the (hidden) form.
main_window() {
  xdotool search --sync --onlyvisible --name '^Velloran v[0-9.]+$' | while read -r w; do
    [ "$w" != "$form" ] && echo "$w"; done | head -1
}

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.15; }

choose() {  # opens a list and picks the entry starting with the typed text
  click "$form" "$1" "$2"; sleep 0.3; xdotool type --delay 40 "$3"; xdotool key Return; sleep 0.2
}

# The atlas's completions open under the City box, over the State box; a click outside them only
# closes them. Escape closes them once they are up (the first use builds the index).
close_completions() { sleep 1; xdotool key Escape; sleep 0.2; }

# Positions within the form (its layout is fixed).
type_known_birth() {
  click "$form" 248 94;  xdotool type --delay 20 "Ann Example"
  choose 210 123 "15"
  choose 262 123 "1980"
  choose 118 152 "10"
  choose 162 152 "30"
  choose 200 210 "Eastern Standard"
  click "$form" 536 181; xdotool type --delay 20 "New York"
  close_completions
  click "$form" 536 210; xdotool type --delay 20 "NY"
  click "$form" 536 250; xdotool type --delay 20 "USA"
  click "$form" 120 250; xdotool type "40"
  click "$form" 236 250; xdotool type "43"
  click "$form" 120 301; xdotool type "74"
  click "$form" 233 301; xdotool type "0"
  click "$form" 157 310  # West
}

# Presses "Get My Draconic Astrology Chart" and sets $main to the main window it opens.
calculate_known_birth() {
  click "$form" 650 300
  main=$(main_window)
  sleep 1
}

# View, "Natal-Draconic Contacts" (Alt+V, then its access key C); sets $contacts to its window.
open_contacts() {
  xdotool windowfocus --sync "$main"; sleep 0.2
  xdotool key --window "$main" alt+v; sleep 0.4; xdotool key c
  contacts=$(xdotool search --sync --onlyvisible --name 'Draconic Contacts$' | head -1)
  sleep 0.5
}
