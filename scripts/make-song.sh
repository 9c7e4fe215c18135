#!/bin/sh
# Makes one generated dance song for the beat finder's tests and benchmark:
# the MIDI written by make-song-midi.py, played by fluidsynth with the
# General MIDI soundfont from Debian, optionally with a teacher's voice over
# it (espeak-ng) and a dance studio's reverb (sox), cut to an excerpt, and
# encoded by ffmpeg as the extension of OUT says (.m4a, .ogg as Opus, .mp4
# with a small picture). Beside it, OUT.truth: the beats of the MIDI's tempo
# map, one a line ("seconds place-in-bar"), cut to the excerpt as well.
#
#   make-song.sh NAME OUT [MIX [START LENGTH]]
#
#   NAME    a song of make-song-midi.py (salsa, bachata, hiphop, waltz,
#           house, tempochange, quietintro, drumbreak)
#   MIX     plain (default), speech, reverb or speech+reverb
#   START LENGTH  the excerpt, in seconds (default: the whole song)
set -eu

name=${1:?usage: make-song.sh NAME OUT [MIX [START LENGTH]]}
out=${2:?usage: make-song.sh NAME OUT [MIX [START LENGTH]]}
mix=${3:-plain}
start=${4:-0}
length=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
soundfont=/usr/share/sounds/sf2/FluidR3_GM.sf2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

python3 "$here/make-song-midi.py" "$name" "$tmp/song.mid" "$tmp/song.truth"
# The same song renders to the same sound every run, so that figures can be
# compared: fluidsynth at a fixed rate writes floats (no rounding to 16 bits),
# sox works in floats without dither (its dither is random noise), and
# ffmpeg writes no time stamp or version into the file.
fluidsynth -ni -q -g 0.6 -r 44100 -O float -F "$tmp/band.wav" "$soundfont" "$tmp/song.mid" >/dev/null
sox() { command sox -D -V1 "$@"; }
float="-e floating-point -b 32"
sox "$tmp/band.wav" -c 1 $float "$tmp/music.wav" gain -n -3
seconds=$(soxi -D "$tmp/music.wav")

case "$mix" in
*speech*)
  # A teacher counting and explaining over the music, in phrases with
  # pauses of their own, as loud as the music.
  i=0
  for phrase in "okay everybody, from the top" "five, six, seven, eight" \
    "step forward with the left foot, and back" "keep your frame, shoulders down" \
    "now the turn, prepare on three" "listen to the music, feel the bass" \
    "again, slowly this time" "good, and one more time"; do
    espeak-ng -v en -s 165 -w "$tmp/p$i.wav" "$phrase"
    sox "$tmp/p$i.wav" -r 44100 -c 1 $float "$tmp/q$i.wav" pad 0 "$(awk -v i="$i" 'BEGIN { printf "%.2f", 1.3 + (i * 0.77) % 2.1 }')"
    i=$((i + 1))
  done
  sox $(for j in $(seq 0 $((i - 1))); do echo "$tmp/q$j.wav"; done) "$tmp/round.wav"
  rounds=$(awk -v s="$seconds" -v r="$(soxi -D "$tmp/round.wav")" 'BEGIN { printf "%d", s / r + 1 }')
  sox "$tmp/round.wav" "$tmp/voice.wav" repeat "$rounds" trim 0 "$seconds" gain -n -3
  sox -m "$tmp/music.wav" "$tmp/voice.wav" "$tmp/mixed.wav" gain -n -3
  mv "$tmp/mixed.wav" "$tmp/music.wav"
  ;;
esac
case "$mix" in
*reverb*)
  # A studio with hard walls and a mirror: a long, bright tail.
  sox "$tmp/music.wav" "$tmp/wet.wav" reverb 70 30 100 100 15 gain -n -3
  mv "$tmp/wet.wav" "$tmp/music.wav"
  ;;
esac

if [ -n "$length" ]; then
  sox "$tmp/music.wav" "$tmp/cut.wav" trim "$start" "$length" fade 0.02 "$length" 0.05
  mv "$tmp/cut.wav" "$tmp/music.wav"
  awk -v s="$start" -v l="$length" '$1 >= s && $1 < s + l { printf "%.6f %s\n", $1 - s, $2 }' "$tmp/song.truth" >"$tmp/cut.truth"
  mv "$tmp/cut.truth" "$tmp/song.truth"
fi

case "$out" in
*.ogg | *.opus) ffmpeg -hide_banner -loglevel error -y -i "$tmp/music.wav" -fflags +bitexact -ac 1 -c:a libopus -b:a 20k "$out" ;;
*.mp4)
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=s=320x180:r=30" -i "$tmp/music.wav" -fflags +bitexact \
    -c:v libx264 -preset veryfast -threads 1 -pix_fmt yuv420p -g 60 -c:a aac -b:a 128k -ac 2 -shortest "$out"
  ;;
*) ffmpeg -hide_banner -loglevel error -y -i "$tmp/music.wav" -fflags +bitexact -c:a aac -b:a 128k "$out" ;;
esac
cp "$tmp/song.truth" "$out.truth"
