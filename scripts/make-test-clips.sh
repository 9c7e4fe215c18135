#!/bin/sh
# Makes the tiny clips the player tests open (committed under
# tests/data/clips/, so the tests never need ffmpeg):
#   tiny_counted.mp4   3 s, 160x90, 30 fps, H.264+AAC, a keyframe every 30
#                      frames, counted beat like the demo clip
#   tiny_beat.mp3      2 s of beat clicks, no video
#   tiny_long_audio.mp4  1 s of picture (160x90, 30 fps, H.264) with 2 s of
#                      sound (AAC): the sound outlasts the picture
#   tiny_rotated.mp4   1 s, 30 fps, H.264: a portrait picture (90x160, a red
#                      bar at its top, the frame number in the middle)
#                      stored sideways (160x90) with a rotation flag, as
#                      phones record portrait video
#   tiny_vfr.mp4       2 s, 160x90, H.264, a variable frame rate: frames of
#                      a 30 fps clip with every seventh one (numbers 6, 13,
#                      20, ...) left out and the others at their own times;
#                      each shows its number in that 30 fps count
#   tiny_open_gop.mp4  2 s, 160x96, 30 fps, HEVC with open groups of
#                      pictures (x265's default): keyframes at frames 0 and
#                      30, the frames just before 30 decoded after it; each
#                      frame shows its number
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

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -f "$font" ] || font=$(fc-match -f '%{file}' 'sans:bold')
numbered="drawtext=fontfile=$font:fontsize=30:fontcolor=white:x=(w-tw)/2:y=(h-th)/2:text='%{frame_num}'"

# Turned a quarter clockwise as stored; the flag turns it back when shown.
sideways=$(mktemp --suffix=.mp4)
ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "color=c=0x203040:s=90x160:r=30:d=1,format=yuv420p,drawbox=x=0:y=0:w=iw:h=20:color=red:t=fill,$numbered,transpose=1" \
  -c:v libx264 -preset veryfast -g 30 -pix_fmt yuv420p "$sideways"
ffmpeg -hide_banner -loglevel error -y -i "$sideways" -c copy -metadata:s:v:0 rotate=90 \
  -movflags +faststart "$dir/tiny_rotated.mp4"
rm -f "$sideways"

# The frames keep their times (no new time stamps), so the gaps stay.
ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "color=c=0x203040:s=160x90:r=30:d=2,format=yuv420p,$numbered,select='not(eq(mod(n\,7)\,6))'" \
  -fps_mode vfr -c:v libx264 -preset veryfast -g 30 -pix_fmt yuv420p -movflags +faststart "$dir/tiny_vfr.mp4"

ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "color=c=0x203040:s=160x96:r=30:d=2,format=yuv420p,$numbered" \
  -c:v libx265 -preset veryfast -x265-params "keyint=30:min-keyint=30:scenecut=0:open-gop=1:log-level=error" \
  -tag:v hvc1 -movflags +faststart "$dir/tiny_open_gop.mp4"
head -c 4096 /dev/urandom > "$dir/random_bytes.mp4"

# Without +faststart the index (moov) is written last, so cutting the file
# loses it, like a download that stopped half way.
whole=$(mktemp --suffix=.mp4)
ffmpeg -hide_banner -loglevel error -y -i "$dir/tiny_counted.mp4" -c copy "$whole"
head -c $(($(stat -c %s "$whole") * 6 / 10)) "$whole" > "$dir/truncated.mp4"
rm -f "$whole"

: > "$dir/empty.mp4"
ls -l "$dir"
