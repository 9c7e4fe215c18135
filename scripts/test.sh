#!/usr/bin/env bash
# Installs the dependencies, builds Tempoloop and runs every test. Widget
# tests run on Qt's offscreen platform; the few that need OpenGL and a real
# window run on a virtual X display, so ctest runs under xvfb-run.
#
# Then the whole suite runs a second time, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (scripts/test-sanitizers.sh, in build-asan/).
# TEMPOLOOP_SANITIZERS=0 skips that second run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 300)
if [ "${TEMPOLOOP_SANITIZERS:-1}" != 0 ]; then
    echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    bash scripts/test-sanitizers.sh
fi
