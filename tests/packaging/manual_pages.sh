#!/bin/sh
# Renders each manual page given with groff and fails on any warning or
# error (a misspelt macro or request, a bad escape); exit 77, which CTest
# reads as skipped, where groff is not installed.
command -v groff >/dev/null || { echo "groff is not installed"; exit 77; }
status=0
for page in "$@"; do
  if ! errors="$(groff -man -ww -z -Tutf8 "$page" 2>&1)" || [ -n "$errors" ]; then
    printf '%s:\n%s\n' "$page" "$errors"
    status=1
  fi
done
exit $status
