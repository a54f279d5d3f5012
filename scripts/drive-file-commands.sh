#!/usr/bin/env bash
# Drives the real program under Xvfb through its file commands, as a user would with the real Qt
# dialogs, and checks what they wrote:
#   1. the known birth (Ann Example, 15 January 1980, 10:30 EST, New York) is typed and calculated;
#   2. File > Save As Text -> ann.vlr (17 scrambled CR LF lines);
#   3. File > Export Chart As Text -> ann.txt (33 CR LF lines, the same bytes as velloran-cli);
#   4. the Save As JPEG button twice on chart.jpg -> chart.jpg and chart_001.jpg, no bitmap left;
#   5. File > Print to a PDF file, rendered back to PNG;
#   6. Back, another name and hour, Open Previously Saved Reading on ann.vlr -> the same chart;
#   7. opening x.VLR -> "Please Check The File.".
# The written files, the screenshots of each step and the PNG renderings stay in the output folder.
#   scripts/drive-file-commands.sh <output folder> [program]
# Needs xvfb, xdotool, imagemagick and poppler-utils (scripts/install-deps.sh). Exits non-zero at
# the first check that fails.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: $0 <output folder> [program]" >&2
  exit 2
fi
mkdir -p "$1"
out=$(realpath "$1")
program=$(realpath -s "${2:-build/default/bin/velloran}")
cli=$(dirname "$program")/velloran-cli

if [ "${VELLORAN_INSIDE_XVFB:-}" != 1 ]; then
  export VELLORAN_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$out" "$program"
fi

home=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$home"
}
trap cleanup EXIT
mkdir -m 700 "$home/run"
# The files of an earlier run, so the JPEG names start again at chart.jpg.
(cd "$out" && rm -f ann.vlr ann.txt ann-cli.txt chart.jpg chart_001.jpg chart.pdf x.VLR)
# Started in the output folder, so the file dialogs open there.
env -C "$out" HOME="$home" XDG_RUNTIME_DIR="$home/run" XDG_CONFIG_HOME="$home/config" "$program" &
pid=$!

fail() { echo "FAILED: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }
shot() { sleep 0.3; import -window root "$out/$1.png"; }
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.15; }
click_at() { xdotool mousemove "$1" "$2" click 1; sleep 0.15; }
# Waits up to 10 s for a visible window whose title matches; prints its id.
wait_window() {
  timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1 ||
    fail "no window titled /$1/"
}
# Waits up to 10 s until no visible window has that id.
wait_closed() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '.' | grep -qx "$1" || return 0
    sleep 0.1
  done
  fail "window $1 did not close"
}
wait_file() {
  for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
  fail "$1 was not written"
}
# The main window: the visible "Velloran v<version>" window that is not the birth-data form.
main_window() {
  for _ in $(seq 100); do
    w=$(xdotool search --onlyvisible --name '^Velloran v[0-9.]+$' | grep -vx "$form" | head -1 || true)
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.1
  done
  fail "the main window did not open"
}
# Types a path into the focused file dialog's name field.
type_path() {
  xdotool type --delay 15 "$1"
  sleep 0.2
}
# Opens the main window's File menu and picks the entry by its underlined letter (a: Save As
# Text, e: Export Chart As Text, p: Print), so a grown menu keeps its entries.
file_menu() {
  click "$main" 18 8
  sleep 0.4
  xdotool key "$1"
}
# Number of lines when every line ends with CR LF and the file ends with one; else "mixed".
crlf_lines() {
  local lf cr
  lf=$(tr -cd '\n' < "$1" | wc -c)
  cr=$(grep -c $'\r$' "$1" || true)
  if [ "$lf" = "$cr" ] && [ "$(tail -c 1 "$1" | od -An -tu1 | xargs)" = 10 ]; then
    echo "$lf"
  else
    echo mixed
  fi
}

form=$(wait_window '^Velloran v[0-9.]+$')
sleep 0.5
. scripts/known-birth.sh

# Step 1: the known birth.
type_known_birth
shot 01-form
click "$form" 650 300  # Get My Draconic Astrology Chart
main=$(main_window)
sleep 1
shot 02-chart
# The chart window sits centred under the chart buttons; its picture is compared below.
chart_box=802x448+239+140
convert "$out/02-chart.png" -crop "$chart_box" +repage "$out/02-chart-window.png"

# Step 2: File > Save As Text, typed without extension ("vlr" is added).
file_menu a
dialog=$(wait_window '^Velloran$')
type_path "$out/ann"
shot 03-save-dialog
xdotool key Return
wait_file "$out/ann.vlr"
wait_closed "$dialog"
lines=$(crlf_lines "$out/ann.vlr")
[ "$lines" = 17 ] || fail "ann.vlr has $lines CR LF lines, not 17"
first=$(head -c 11 "$out/ann.vlr" | od -An -tu1 | xargs)
[ "$first" = "150 195 195 117 154 205 182 194 197 193 186" ] ||
  fail "first line of ann.vlr is '$first', not 'Ann Example' + 85"
pass "ann.vlr: $(stat -c %s "$out/ann.vlr") bytes, 17 CR LF lines, first line bytes $first"

# Step 3: File > Export Chart As Text.
file_menu e
dialog=$(wait_window '^Select the destination text file $')
xdotool key ctrl+a
type_path "$out/ann.txt"
xdotool key Return
wait_file "$out/ann.txt"
wait_closed "$dialog"
lines=$(crlf_lines "$out/ann.txt")
[ "$lines" = 33 ] || fail "ann.txt has $lines CR LF lines, not 33"
# A separator line is a lone carriage return before the CR LF: bytes 13, 13, 10.
separators=$(grep -n -x $'\r\r' "$out/ann.txt" | cut -d: -f1 | xargs)
[ "$separators" = "9 21 33" ] || fail "separator lines of ann.txt are '$separators'"
"$cli" export "$out/ann.vlr" > "$out/ann-cli.txt"
cmp "$out/ann.txt" "$out/ann-cli.txt" || fail "ann.txt differs from velloran-cli export"
pass "ann.txt: $(stat -c %s "$out/ann.txt") bytes, 33 CR LF lines, separators at $separators," \
  "identical to velloran-cli export"

# Step 4: the Save As JPEG button twice on the same name.
jpeg_button=(1048 781)
for n in 1 2; do
  click_at "${jpeg_button[@]}"
  # The dialog has the platform's own title: take the first new visible window.
  dialog=
  for _ in $(seq 50); do
    dialog=$(xdotool search --onlyvisible --name '.' | grep -vx "$main" | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "no JPEG save dialog"
  if [ $n = 1 ]; then
    type_path "$out/chart.jpg"
    shot 04-jpeg-dialog
  else
    shot 05-jpeg-dialog-again  # offers the name chosen the first time
  fi
  xdotool key Return
  wait_closed "$dialog"
done
wait_file "$out/chart_001.jpg"
sleep 0.5
[ -z "$(find "$out" -maxdepth 1 -name 'chart*.bmp')" ] || fail "a bitmap was left behind"
for f in chart.jpg chart_001.jpg; do
  size=$(identify -format '%wx%h' "$out/$f")
  [ "$size" = 802x448 ] || fail "$f is $size, not 802x448"
done
convert "$out/chart.jpg" "$out/chart-jpg.png"
psnr=$(compare -metric PSNR "$out/02-chart-window.png" "$out/chart.jpg" null: 2>&1 || true)
pass "chart.jpg $(stat -c %s "$out/chart.jpg") bytes, chart_001.jpg" \
  "$(stat -c %s "$out/chart_001.jpg") bytes, both 802x448, no .bmp;" \
  "PSNR against the screen: $psnr dB"

# Step 5: File > Print to a PDF file.
file_menu p
dialog=$(wait_window '^Print$')
shot 06-print-dialog
# The output file field of "Print to File (PDF)", then the Print button.
click_at 650 388
xdotool key ctrl+a
type_path "$out/chart.pdf"
shot 07-print-dialog-file
click_at 662 428
wait_file "$out/chart.pdf"
wait_closed "$dialog"
sleep 0.5
pdftoppm -r 100 -png -singlefile "$out/chart.pdf" "$out/chart-pdf"
pages=$(pdfinfo "$out/chart.pdf" | awk '/^Pages:/ {print $2}')
pass "chart.pdf $(stat -c %s "$out/chart.pdf") bytes, $pages page(s), rendered as chart-pdf.png"

# Step 6: Back, another name and hour, then open the saved reading.
click_at 1143 781
wait_closed "$main"
click "$form" 248 94; xdotool key ctrl+a; xdotool type --delay 20 "Someone Else"
choose 118 152 "3"
shot 08-form-changed
click "$form" 650 108  # Open Previously Saved Reading
dialog=$(wait_window '^Select the source file$')
type_path "$out/ann.vlr"
shot 09-open-dialog
xdotool key Return
main=$(main_window)
sleep 1
shot 10-reopened
convert "$out/10-reopened.png" -crop "$chart_box" +repage "$out/10-reopened-window.png"
differing=$(compare -metric AE "$out/02-chart-window.png" "$out/10-reopened-window.png" \
  null: 2>&1 || true)
[ "$differing" = 0 ] || fail "the reopened chart differs from the first in $differing pixels"
pass "reopened chart window identical to the first (0 differing pixels)"

# Step 7: a name ending in capital VLR is refused.
click_at 1143 781
wait_closed "$main"
cp "$out/ann.vlr" "$out/x.VLR"
click "$form" 650 108
dialog=$(wait_window '^Select the source file$')
type_path "$out/x.VLR"
xdotool key Return
wait_closed "$dialog"
box=$(wait_window '^Velloran$')
shot 11-check-the-file
xdotool key Return
wait_closed "$box"
[ -z "$(xdotool search --onlyvisible --name '^Velloran v[0-9.]+$' | grep -vx "$form")" ] ||
  fail "a chart opened from x.VLR"
pass "x.VLR refused with a message box; no chart opened"
echo "files and screenshots in $out"
