#!/bin/sh
# Makes a counted-beat clip: every frame shows its frame number and time, a
# big beat number counts "1 2 3 4 5 6 7 8" at 120 bpm, and the sound clicks
# on every beat (higher on 1). Stepping, seeking and looping can be checked
# by eye and by ear on it.
#
#   make-demo-clip.sh [OUT [SECONDS [WIDTHxHEIGHT [GOP [FPS [CODEC]]]]]]
#
# CODEC is h264 (default), hevc (x265's defaults: open groups of pictures,
# the frames before a keyframe decoded after it) or hevc-closed (every
# keyframe starts afresh, as camera encoders commonly write). Without arguments it rebuilds the bundled
# demo clip assets/VideoClips/demo_counted_beat.mp4 (20 s, 640x360, 30 fps,
# H.264+AAC).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../assets/VideoClips/demo_counted_beat.mp4}
seconds=${2:-20}
size=${3:-640x360}
gop=${4:-60}
fps=${5:-30}
codec=${6:-h264}
case $codec in
  h264) encoder="-c:v libx264 -preset medium -crf 26" ;;
  # x265 at its fast preset: a 4K or 60 fps clip is made in a minute or two.
  hevc) encoder="-c:v libx265 -preset fast -crf 28 -tag:v hvc1 -x265-params log-level=error:scenecut=0" ;;
  hevc-closed) encoder="-c:v libx265 -preset fast -crf 28 -tag:v hvc1 -x265-params log-level=error:scenecut=0:open-gop=0" ;;
  *) echo "unknown codec $codec (h264, hevc or hevc-closed)" >&2; exit 2 ;;
esac
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
[ -f "$font" ] || font=$(fc-match -f '%{file}' 'sans:bold')

height=${size#*x}
small=$((height / 9))
big=$((height / 2))

# One beat is 0.5 s; beat 1 of each eight flashes a lighter background.
beat='mod(floor(t*2),8)'
video="color=c=0x202838:s=$size:r=$fps:d=$seconds,format=yuv420p,
drawbox=x=0:y=0:w=iw:h=ih:color=0x804020@0.6:t=fill:enable='lt(mod(t,0.5),0.1)*eq($beat,0)',
drawbox=x=0:y=0:w=iw:h=ih:color=0x306080@0.5:t=fill:enable='lt(mod(t,0.5),0.1)*gt($beat,0)',
drawtext=fontfile=$font:fontsize=$small:fontcolor=white:x=w/40:y=h/40:text='frame %{frame_num}',
drawtext=fontfile=$font:fontsize=$small:fontcolor=white:x=w-tw-w/40:y=h/40:text='%{pts\:hms}',
drawtext=fontfile=$font:fontsize=$big:fontcolor=yellow:x=(w-tw)/2:y=(h-th)/2+h/16:text='%{eif\:$beat+1\:d}'"
audio="aevalsrc='0.6*sin(2*PI*if(eq($beat,0),1760,880)*t)*exp(-40*mod(t,0.5))':s=44100:d=$seconds"

mkdir -p "$(dirname "$out")"
ffmpeg -hide_banner -loglevel error -y \
  -f lavfi -i "$video" -f lavfi -i "$audio" \
  $encoder -g "$gop" -keyint_min "$gop" -sc_threshold 0 \
  -pix_fmt yuv420p -c:a aac -b:a 64k -ac 1 -shortest -movflags +faststart "$out"
echo "$out: $(stat -c %s "$out") bytes"
