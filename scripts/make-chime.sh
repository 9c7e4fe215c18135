#!/bin/sh
# Makes the short chime the quick add plays: two bell-like tones (E6 then
# C6) with a fast decay, 0.6 s, mono 16 kHz 16-bit PCM.
#
#   make-chime.sh [OUT]
#
# Without an argument it rebuilds the bundled assets/sounds/chimes.wav.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../assets/sounds/chimes.wav}
mkdir -p "$(dirname "$out")"

tone='0.5*sin(2*PI*1318.5*t)*exp(-9*t)'
second='0.5*gte(t,0.2)*sin(2*PI*1046.5*(t-0.2))*exp(-8*(t-0.2))'
ffmpeg -v error -y -f lavfi -i "aevalsrc=exprs='$tone+$second':s=16000:d=0.6" \
  -ac 1 -c:a pcm_s16le -map_metadata -1 -fflags +bitexact -flags:a +bitexact "$out"
