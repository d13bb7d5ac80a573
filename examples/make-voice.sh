#!/usr/bin/env bash
# Makes voice.wav, the example voice: a few seconds of synthetic speech, mono, 16-bit,
# 22050 Hz. Needs Debian's espeak-ng (`apt-get install espeak-ng`); the build does not, it
# uses the committed file.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
espeak-ng -v en-us -s 150 -p 50 -a 100 -w voice.wav \
  "Every word I say rides on the chord of the synthesizer. Listen: the robot is singing now."
