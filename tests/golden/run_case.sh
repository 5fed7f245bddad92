#!/usr/bin/env bash
# Runs one golden case: makes its fixtures in a fresh folder, runs tonalign
# there, and compares the whole standard output, an empty standard error and
# the exit status with the case's expectations. Input files must come out of
# the run byte for byte unchanged.
#
# A case file holds directives, one per line, then a line "--- stdout" and
# the expected standard output to the end of the file. Directives (their
# arguments are shell words):
#   values FILE V,V,...     literal samples, written by tonegen
#   tone FILE OPTION...     a tone written by tonegen
#   bytes FILE FORMAT       raw bytes, written by printf FORMAT
#   dir NAME                an empty folder
#   concat FILE PART...     FILE made of the given files, one after another
#   size FILE BYTES         extend (sparsely) or cut FILE to BYTES bytes
#   poke FILE OFFSET FORMAT overwrite bytes of FILE at OFFSET with printf FORMAT
#   run ARG...              the arguments of tonalign
#   stdout FILE             send tonalign's standard output to FILE instead
#   stdout-closed           run tonalign with its standard output closed
#   status N                the expected exit status
# With GOLDEN_UPDATE=1 in the environment the case's expected output is
# rewritten from the run (its status is still checked).
set -u
tonalign=$1 tonegen=$2 case_file=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed '/^--- stdout$/,$d' "$case_file" > "$work/.directives"
sed '1,/^--- stdout$/d' "$case_file" > "$work/.expected"

args=() expected_status= stdout_target=
cd "$work" || exit 1
while IFS= read -r line; do
  case $line in '' | '#'*) continue ;; esac
  eval "set -- $line"
  verb=$1
  shift
  case $verb in
    values) "$tonegen" --values "$2" -o "$1" || exit 1 ;;
    tone) file=$1; shift; "$tonegen" "$@" -o "$file" || exit 1 ;;
    bytes) printf "$2" > "$1" ;;
    dir) mkdir -p "$1" ;;
    concat) out=$1; shift; cat "$@" > "$out" ;;
    size) truncate -s "$2" "$1" ;;
    poke) printf "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none ;;
    run) args=("$@") ;;
    stdout) stdout_target=$1 ;;
    stdout-closed) stdout_target=closed ;;
    status) expected_status=$1 ;;
    *) echo "unknown directive: $verb" >&2; exit 1 ;;
  esac
done < .directives
[ -n "$expected_status" ] || { echo "the case gives no status" >&2; exit 1; }

# Checksums of the fixtures; files of gigabytes (sparse ones) by size and
# modification time, which reading them does not change either.
checksums() {
  find . -type f ! -name '.*' -size -64M -exec md5sum {} + | sort
  find . -type f ! -name '.*' -size +64M -exec stat -c '%n %s %Y' {} + | sort
}
checksums > .before
if [ "$stdout_target" = closed ]; then
  "$tonalign" "${args[@]}" >&- 2> .stderr
elif [ -n "$stdout_target" ]; then
  "$tonalign" "${args[@]}" > "$stdout_target" 2> .stderr
else
  "$tonalign" "${args[@]}" > .stdout 2> .stderr
fi
status=$?
checksums > .after

if [ -n "${GOLDEN_UPDATE:-}" ] && [ -z "$stdout_target" ]; then
  # Rewrites the expected output from this run; review the diff before committing.
  { sed '/^--- stdout$/q' "$case_file"; cat .stdout; } > .updated && cat .updated > "$case_file"
  cp .stdout .expected
fi

failed=0
if [ -z "$stdout_target" ] && ! cmp -s .expected .stdout; then
  echo "standard output differs (expected, then actual):"
  diff -u .expected .stdout
  failed=1
fi
if [ -s .stderr ]; then
  echo "standard error is not empty:"
  cat .stderr
  failed=1
fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi
if ! cmp -s .before .after; then
  echo "the run changed its input files"
  failed=1
fi
exit $failed
