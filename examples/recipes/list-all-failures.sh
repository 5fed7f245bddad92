#!/bin/sh
# Compares every recording in a folder with one reference, one comparison
# per processor at a time, and lists every recording that fails.
# Usage: REFERENCE FOLDER; exits 1 if any failed.
reference=$1 folder=$2
failures=$(find "$folder" -name '*.pcm' -print0 |
  xargs -0 -P "$(nproc)" -n 1 sh -c \
    'tonalign "$0" "$1" 1 -6 -40 480 > /dev/null || echo "FAILED: $1"' "$reference" |
  sort)
[ -z "$failures" ] && exit 0
echo "$failures"
exit 1
