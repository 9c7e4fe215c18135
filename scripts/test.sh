#!/usr/bin/env bash
# Installs the dependencies, builds Tempoloop and runs every test. Widget
# tests run on Qt's offscreen platform; the few that need OpenGL and a real
# window run on a virtual X display, so ctest runs under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cd build
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 300
