#!/usr/bin/env bash
# Runs a checking tool and passes only when it succeeds and reports nothing. Lines matching the
# --ok pattern (a tool's own success line) do not count as a report; with --stderr-only the
# tool's standard output is its product, not a report. Skips (exit 77) when the tool is missing.
#
# Usage: quiet-check.sh [--ok REGEX] [--stderr-only] DEBIAN-PACKAGE TOOL [ARGS...]
set -uo pipefail
ok='^$'
stderr_only=0
while [ $# -gt 0 ]; do
  case "$1" in
    --ok) ok="$2"; shift 2 ;;
    --stderr-only) stderr_only=1; shift ;;
    *) break ;;
  esac
done
package="$1" tool="$2"
shift 2
if ! command -v "$tool" >/dev/null 2>&1; then
  echo "SKIPPED: $tool is not installed (Debian package $package; scripts/install-deps.sh)"
  exit 77
fi
if [ "$stderr_only" = 1 ]; then
  report=$("$tool" "$@" 2>&1 >/dev/null)
else
  report=$("$tool" "$@" 2>&1)
fi
status=$?
extra=$(printf '%s\n' "$report" | grep -Ev "$ok" | grep -v '^[[:space:]]*$')
if [ "$status" -ne 0 ] || [ -n "$extra" ]; then
  echo "$tool $* (exit status $status) reported:"
  printf '%s\n' "$report"
  exit 1
fi
