#!/bin/sh
# Makes the tiny clips the player tests open (committed under
# tests/data/clips/, so the tests never need ffmpeg):
#   tiny_counted.mp4   3 s, 160x90, 30 fps, H.264+AAC, a keyframe every 30
#                      frames, counted beat like the demo clip
#   tiny_beat.mp3      2 s of beat clicks, no video
#   tiny_long_audio.mp4  1 s of picture (160x90, 30 fps, H.264) with 2 s of
#                      sound (AAC): the sound outlasts the picture
#   random_bytes.mp4   4 KB of noise with a clip's name
#   truncated.mp4      the first 60% of an mp4 whose index sits at its end
#   empty.mp4          0 bytes
#
#   make-test-clips.sh DIR
set -eu

here=$(cd "$(dirname "$0")" && pwd)
dir=${1:?usage: make-test-clips.sh DIR}
mkdir -p "$dir"

"$here/make-demo-clip.sh" "$dir/tiny_counted.mp4" 3 160x90 30

ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "aevalsrc='0.6*sin(2*PI*880*t)*exp(-40*mod(t,0.5))':s=22050:d=2" \
  -c:a libmp3lame -b:a 32k "$dir/tiny_beat.mp3"

ffmpeg -hide_banner -loglevel error -y -f lavfi -i "testsrc=s=160x90:r=30:d=1" \
  -f lavfi -i "aevalsrc='0.6*sin(2*PI*660*t)*exp(-40*mod(t,0.5))':s=22050:d=2" \
  -c:v libx264 -preset veryfast -pix_fmt yuv420p -g 30 -c:a aac -b:a 32k \
  "$dir/tiny_long_audio.mp4"

head -c 4096 /dev/urandom > "$dir/random_bytes.mp4"

# Without +faststart the index (moov) is written last, so cutting the file
# loses it, like a download that stopped half way.
whole=$(mktemp --suffix=.mp4)
ffmpeg -hide_banner -loglevel error -y -i "$dir/tiny_counted.mp4" -c copy "$whole"
head -c $(($(stat -c %s "$whole") * 6 / 10)) "$whole" > "$dir/truncated.mp4"
rm -f "$whole"

: > "$dir/empty.mp4"
ls -l "$dir"
