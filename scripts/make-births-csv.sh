#!/usr/bin/env bash
# Writes a births file for velloran-cli batch to standard output: a header and COUNT rows of
# made-up births (dates 1905..2050, every zone, both hemispheres), the same rows for the same
# COUNT. For timing the batch command on many births without keeping a large file.
#   scripts/make-births-csv.sh 100000 > /tmp/births.csv
set -euo pipefail
count=${1:?usage: make-births-csv.sh COUNT}
awk -v count="$count" 'BEGIN {
  print "name,date,time,zone,lat,lon,dst,city,state,country"
  srand(1905)
  for (i = 1; i <= count; i++) {
    year = 1905 + int(rand() * 146); month = 1 + int(rand() * 12); day = 1 + int(rand() * 28)
    hour = int(rand() * 24); minute = int(rand() * 60); zone = int(rand() * 71)
    lat = int(rand() * 66); latm = int(rand() * 60); lon = int(rand() * 180); lonm = int(rand() * 60)
    printf "\"Person %d, the %dth\",%04d-%02d-%02d,%02d:%02d,%d,%d:%02d%s,%d:%02d%s,%s,City %d,State,Country\n",
      i, i, year, month, day, hour, minute, zone, lat, latm, (rand() < 0.5 ? "N" : "S"),
      lon, lonm, (rand() < 0.5 ? "E" : "W"), (rand() < 0.2 ? "yes" : "no"), i % 97
  }
}'
