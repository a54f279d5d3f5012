#!/usr/bin/env bash
# Regenerates the golden readings (*.vlr) and their text exports (*.txt) with velloran-cli.
# Usage: tests/core/data/golden/generate.sh [path/to/velloran-cli] (default: the default preset's)
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cli="${1:-$here/../../../../build/default/bin/velloran-cli}"

reading() {  # name, then the arguments of "velloran-cli new"
    local name="$1"
    shift
    "$cli" new "$@" -o "$here/$name.vlr"
    "$cli" export "$here/$name.vlr" -o "$here/$name.txt"
}

reading delhi_1980_indian_time --name "Ann Example" --date 1980-03-05 --time 7:05 --zone 34 \
    --lat 28:00N --lon 77:12E --city Delhi --state Delhi --country India
reading new_york_1969_dst --name "Neil Example" --date 1969-07-20 --time 22:56 --zone 27 \
    --lat 40:43N --lon 74:00W --dst --city "New York" --state "New York" --country USA
reading sydney_2000_leap_day --name "Sam Example" --date 2000-02-29 --time 12:00 --zone 8 \
    --lat 33:52S --lon 151:13E --city Sydney --state "New South Wales" --country Australia
reading london_1905_first_entry --name "Ada Example" --date 1905-01-01 --time 0:00 --zone 29 \
    --lat 51:30N --lon 0:07W --city London --state England --country "United Kingdom"
reading st_johns_2050_last_day --name "Zoë Łódź" --date 2050-12-31 --time 23:59 --zone 50 \
    --lat 47:34N --lon 52:43W --city "St. John's" --state Newfoundland --country Canada
reading auckland_1985_plus_13 --name "Kiri Example" --date 1985-01-15 --time 6:30 --zone 46 \
    --lat 36:51S --lon 174:46E --dst --city Auckland --state Auckland --country "New Zealand"
