#!/usr/bin/env bash
# Installs the dependencies, builds Tempoloop and starts it playing the
# bundled demo clip. Extra arguments replace the demo clip.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build/bin
if [ $# -eq 0 ]; then
  set -- "$PWD/VideoClips/demo_counted_beat.mp4"
fi
exec ./tempoloop "$@"
