#!/usr/bin/env bash
# Rewrites the example recordings with tonegen (built in build/bin).
# reference.pcm: 1 kHz at 48 kHz, -3 dBFS, 9600 samples (0.2 s).
# recording.pcm: the same tone 6 dB quieter after 480 samples of silence,
#                and 200 samples shorter, as a device under test might give it.
# glitch.pcm:    recording.pcm with three damaged samples.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
tonegen=${TONEGEN:-$here/../build/bin/tonegen}
"$tonegen" --samples 9600 --frequency 1000 --rate 48000 --amplitude -3 -o "$here/reference.pcm"
"$tonegen" --samples 9400 --frequency 1000 --rate 48000 --amplitude -3 --gain -6 --lead 480 \
  -o "$here/recording.pcm"
"$tonegen" --samples 9400 --frequency 1000 --rate 48000 --amplitude -3 --gain -6 --lead 480 \
  --glitch 2000 --glitch 5003=0 --glitch 7777 -o "$here/glitch.pcm"
