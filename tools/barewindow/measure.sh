#!/usr/bin/env bash
# Start-up and chart timing of the program next to the bare Qt window, under one Xvfb.
#   tools/barewindow/measure.sh [build folder] [runs]
# Prints the median start-up to first paint (whole process, ms) of both programs, the click to
# chart painted times the program reports, and peak memory (maximum resident set, /usr/bin/time).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build/gui}")
runs=${2:-7}

if [ "${VELLORAN_INSIDE_XVFB:-}" != 1 ]; then
  export VELLORAN_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$runs"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export HOME=$home XDG_RUNTIME_DIR=$home/run XDG_CONFIG_HOME=$home/config

ms_now() { echo $(( $(date +%s%N) / 1000000 )); }
median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

# One warm-up run each, so both find the libraries in the page cache.
"$build/bin/barewindow" >/dev/null 2>&1
VELLORAN_EXIT_AFTER_PAINT=form "$build/bin/velloran" >/dev/null 2>&1

bare=() prog=() bare_kb=() prog_kb=()
for ((i = 0; i < runs; i++)); do
  t0=$(ms_now); /usr/bin/time -f %M -o "$home/m" "$build/bin/barewindow"; t1=$(ms_now)
  bare+=($((t1 - t0))); bare_kb+=($(cat "$home/m"))
  t0=$(ms_now); VELLORAN_EXIT_AFTER_PAINT=form /usr/bin/time -f %M -o "$home/m" "$build/bin/velloran"; t1=$(ms_now)
  prog+=($((t1 - t0))); prog_kb+=($(cat "$home/m"))
done
b=$(printf '%s\n' "${bare[@]}" | median)
p=$(printf '%s\n' "${prog[@]}" | median)
echo "start-up to first paint, whole process, $runs runs:"
echo "  barewindow: ${bare[*]} ms -> median $b ms, peak $(printf '%s\n' "${bare_kb[@]}" | median) kB"
echo "  velloran:   ${prog[*]} ms -> median $p ms, peak $(printf '%s\n' "${prog_kb[@]}" | median) kB"
awk -v p="$p" -v b="$b" 'BEGIN {printf "  ratio velloran / barewindow: %.2f\n", p / b}'

# A whole reading: type the known birth, calculate, each view, then Exit; the program reports
# each chart paint, /usr/bin/time the peak memory of the whole run.
chart=()
for ((i = 0; i < runs; i++)); do
  VELLORAN_TIMING=1 /usr/bin/time -f "peak %M kB" -o "$home/m" "$build/bin/velloran" 2>"$home/log" &
  pid=$!
  form=$(xdotool search --sync --onlyvisible --name '^Velloran v[0-9.]+$' | head -1)
  sleep 0.4
  xdotool mousemove --window "$form" 248 94 click 1 type "Ann Example"
  for spot in "120 250 40" "236 250 43" "120 301 74" "233 301 0" "536 181 New York" "536 210 NY" \
              "536 250 USA"; do
    read -r x y text <<<"$spot"
    xdotool mousemove --window "$form" "$x" "$y" click 1 type "$text"
    # The atlas's completions under the City box take the next click: close them first.
    if [ "$text" = "New York" ]; then sleep 1; xdotool key Escape; sleep 0.2; fi
  done
  sleep 0.2
  xdotool mousemove --window "$form" 650 300 click 1
  sleep 0.8
  for x in 529 750 640; do xdotool mousemove 0 0 mousemove "$x" 124 click 1; sleep 0.4; done
  xdotool mousemove 1222 781 click 1  # Exit
  wait "$pid" || true
  grep 'chart painted' "$home/log" | head -1 | sed 's/^/  /'
  chart+=($(grep 'chart painted' "$home/log" | head -1 | awk '{print $4}'))
  grep 'chart painted' "$home/log" | tail -n +2 | awk '{printf "    view: %s ms\n", $4}'
  sed 's/^/  whole reading /' "$home/m"
done
echo "click to chart painted: ${chart[*]} ms -> median $(printf '%s\n' "${chart[@]}" | median) ms"
