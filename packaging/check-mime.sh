#!/usr/bin/env bash
# Checks the reading file type: update-mime-database takes the XML without a word and maps *.vlr
# to application/x-velloran-reading with its comment and icon; the desktop entry lists that type
# in MimeType and hands the double-clicked file to the program (Exec with %f).
#
# Usage: check-mime.sh MIME-XML DESKTOP-ENTRY
set -euo pipefail
xml=$1 entry=$2
type=application/x-velloran-reading
if ! command -v update-mime-database >/dev/null 2>&1; then
  echo "SKIPPED: update-mime-database is not installed (Debian package shared-mime-info)"
  exit 77
fi
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root/mime/packages"
cp "$xml" "$root/mime/packages/velloran.xml"
fail() { echo "$*" >&2; exit 1; }

# The folder is on the data path, so the tool has nothing to say about a good file.
report=$(XDG_DATA_DIRS="$root" update-mime-database "$root/mime" 2>&1) ||
  fail "update-mime-database failed: $report"
[ -z "$report" ] || fail "update-mime-database reported: $report"
grep -qx "50:$type:\*\.vlr" "$root/mime/globs2" || fail "*.vlr is not $type: $(cat "$root/mime/globs2")"
grep -qx "$type:application-x-velloran-reading" "$root/mime/icons" || fail "$type has no icon"
grep -q "<comment>Velloran reading</comment>" "$root/mime/${type}.xml" || fail "$type has no comment"

# The desktop entry: exactly one MimeType line naming the type; Exec passes one file.
mime_lines=$(grep -c '^MimeType=' "$entry" || true)
[ "$mime_lines" = 1 ] || fail "$entry: $mime_lines MimeType lines"
grep '^MimeType=' "$entry" | tr '=;' '\n\n' | grep -qx "$type" ||
  fail "$entry: MimeType does not name $type"
grep -qx 'Exec=velloran %f' "$entry" || fail "$entry: Exec does not pass the file (%f)"
echo "$type: *.vlr, comment and icon; $(basename "$entry") opens it"
