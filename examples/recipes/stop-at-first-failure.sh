#!/bin/sh
# Compares every recording in a folder with one reference, in name order,
# and stops at the first one that fails. Usage: REFERENCE FOLDER
reference=$1 folder=$2
for recording in "$folder"/*.pcm; do
  if ! tonalign "$reference" "$recording" 1 -6 -40 480 > "$recording.log"; then
    echo "FAILED: $recording: $(tail -n 1 "$recording.log")"
    exit 1
  fi
done
echo "all recordings passed"
