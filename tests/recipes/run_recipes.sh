#!/usr/bin/env bash
# Runs the README's harness recipes (examples/recipes/) on recordings made
# with tonegen, and checks that the README shows each recipe as it stands.
# Usage: run_recipes.sh BIN_DIR SOURCE_DIR
set -euo pipefail
bin=$1 source=$2
recipes=$source/examples/recipes
export PATH=$bin:$PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*"; exit 1; }

tone=(--frequency 1000 --rate 48000 --amplitude -3)
make_recordings() {  # FOLDER NAME... (names containing "bad" get glitches)
  local folder=$1
  shift
  mkdir -p "$folder"
  for name in "$@"; do
    local glitch=()
    case $name in *bad*) glitch=(--glitch 3000) ;; esac
    tonegen --samples 9400 "${tone[@]}" --gain -6 --lead 480 "${glitch[@]}" -o "$folder/$name.pcm"
  done
}
tonegen --samples 9600 "${tone[@]}" -o reference.pcm

echo "== stop-at-first-failure.sh"
make_recordings good a-ok b-ok
out=$("$recipes/stop-at-first-failure.sh" reference.pcm good) || fail "good folder: $out"
[ "$out" = "all recordings passed" ] || fail "good folder said: $out"
make_recordings mixed a-ok b-bad c-ok
if out=$("$recipes/stop-at-first-failure.sh" reference.pcm mixed); then fail "mixed folder passed"; fi
[[ $out == "FAILED: mixed/b-bad.pcm: Error limit (1) reached. Exiting" ]] || fail "mixed said: $out"
[ ! -e mixed/c-ok.pcm.log ] || fail "went on after the first failure"

echo "== list-all-failures.sh"
make_recordings batch r1-ok r2-bad r3-ok r4-bad r5-ok
if out=$("$recipes/list-all-failures.sh" reference.pcm batch); then fail "batch passed"; fi
[ "$out" = "$(printf 'FAILED: batch/r2-bad.pcm\nFAILED: batch/r4-bad.pcm')" ] || fail "batch said: $out"
out=$("$recipes/list-all-failures.sh" reference.pcm good) || fail "good batch: $out"

echo "== verdict.py"
if command -v python3 > /dev/null; then
  out=$(python3 "$recipes/verdict.py" reference.pcm good/a-ok.pcm) || fail "verdict.py on a good one: $out"
  [[ $out == *"'passed': True, 'samples': 9880, 'errors': []"* ]] || fail "verdict.py said: $out"
  if out=$(python3 "$recipes/verdict.py" reference.pcm mixed/b-bad.pcm); then fail "verdict.py passed a bad one"; fi
  [[ $out == *"'passed': False, 'samples': None, 'errors': [3001]"* ]] || fail "verdict.py said: $out"
else
  echo "python3 not found; verdict.py not run"
fi

echo "== ctest/CMakeLists.txt"
cmake -S "$recipes/ctest" -B ctest-build -DRECORDINGS="$source/examples" > /dev/null
ctest --test-dir ctest-build --output-on-failure || fail "the CTest recipe"

echo "== The README shows each recipe as it stands"
readme=$(cat "$source/README.md")
for recipe in stop-at-first-failure.sh list-all-failures.sh verdict.py ctest/CMakeLists.txt; do
  body=$(cat "$recipes/$recipe")
  [[ $readme == *"$body"* ]] || fail "README.md does not show examples/recipes/$recipe as it stands"
done
echo "all recipes work"
