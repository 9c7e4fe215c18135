#!/bin/sh
# Makes a clip for the beat finder's tests and benchmark: a click track whose
# tempo changes half way, under speech-like noise (a voiced sound with a
# wandering pitch and a fricative hiss, in syllables and phrases), and a
# small picture. Beside the clip it writes OUT.truth: the time of every
# click, one a line in seconds, the ground truth the beats found are
# compared with.
#
#   make-beat-clip.sh OUT [SECONDS [BPM1 [BPM2 [VOICE [PICTURE [CLICKS]]]]]]
#
#   SECONDS  length (default 60)
#   BPM1     tempo of the first half (default 120)
#   BPM2     tempo from the first beat past half way on (default 100)
#   VOICE    loudness of the speech-like noise against the clicks' peak
#            (default 0.5; 0 leaves the clicks alone)
#   PICTURE  "video" adds a 160x90 picture (default), "none" makes sound only
#   CLICKS   the clicks' peak (default 0.8; 0 leaves the voice alone)
set -eu

out=${1:?usage: make-beat-clip.sh OUT [SECONDS [BPM1 [BPM2 [VOICE [PICTURE [CLICKS]]]]]]}
seconds=${2:-60}
bpm1=${3:-120}
bpm2=${4:-100}
voice=${5:-0.5}
picture=${6:-video}
clicks=${7:-0.8}

# The tempo changes on the first beat at or past half the length.
p1=$(awk -v b="$bpm1" 'BEGIN { printf "%.9f", 60 / b }')
p2=$(awk -v b="$bpm2" 'BEGIN { printf "%.9f", 60 / b }')
change=$(awk -v s="$seconds" -v p="$p1" 'BEGIN { n = int((s / 2) / p); if (n * p < s / 2 - 1e-9) n++; printf "%.9f", n * p }')

awk -v s="$seconds" -v p1="$p1" -v p2="$p2" -v c="$change" 'BEGIN {
  for (t = 0; t < c - 1e-9; t += p1) printf "%.6f\n", t
  for (k = 0; c + k * p2 < s - 1e-9; k++) printf "%.6f\n", c + k * p2
}' > "$out.truth"

# Time since the last click, and the click: a decaying 1 kHz tone.
since="if(lt(t,$change),mod(t,$p1),mod(t-$change,$p2))"
click="$clicks*sin(2*PI*1000*t)*exp(-60*$since)"
# Speech: syllables about four a second, in phrases with pauses; a voiced
# part on a pitch between 110 and 170 Hz with three harmonics, and a hiss.
syllable="pow(max(0,sin(2*PI*3.7*t+1.3*sin(2*PI*0.45*t))),2)*gt(sin(2*PI*0.21*t+0.4),-0.55)"
phase="2*PI*(140*t-30/(2*PI*0.6)*cos(2*PI*0.6*t))"
voiced="0.55*sin($phase)+0.3*sin(2*$phase)+0.2*sin(3*$phase+0.7)"
hiss="0.35*(random(0)-0.5)*gt(sin(2*PI*1.9*t),0.6)"
audio="aevalsrc='$click+$voice*$syllable*($voiced+$hiss)':s=44100:d=$seconds"

if [ "$picture" = none ]; then
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "$audio" -c:a aac -b:a 64k -ac 1 "$out"
else
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc2=s=160x90:r=30:d=$seconds" -f lavfi -i "$audio" \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -g 60 -c:a aac -b:a 64k -ac 1 -shortest "$out"
fi
