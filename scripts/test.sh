#!/usr/bin/env bash
# Installs the dependencies, builds Tempoloop and runs every test, twice:
#
#  1. build/, as the program is built (RelWithDebInfo), with the benchmarks
#     compiled (not run, so they cannot rot) and the Qt headers precompiled
#     (a third less build time; scripts/build.sh, which the README's run
#     command and every developer build use, builds without, so a source
#     that misses an include still fails there): every label, core, gui, gl
#     (under one virtual X display, one gl test at a time) and wayland
#     (each test under its own headless weston);
#  2. build-asan/ (scripts/test-sanitizers.sh): a Debug build with
#     assertions, AddressSanitizer and UndefinedBehaviorSanitizer, every
#     label but wayland.
#
# A test that skips fails here: a skip is a test that did not run.
# TEMPOLOOP_SANITIZERS=0 leaves out the second run.
set -euo pipefail
cd "$(dirname "$0")/.."
export TEMPOLOOP_NO_SKIPS=1
jobs=$(nproc)

bash scripts/install-deps.sh
bash scripts/build.sh -DTEMPOLOOP_BENCH=ON -DTEMPOLOOP_NO_SKIPS=ON -DTEMPOLOOP_PCH=ON
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --output-on-failure --timeout 300 -j"$jobs")
if [ "${TEMPOLOOP_SANITIZERS:-1}" != 0 ]; then
  echo "== the same tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  bash scripts/test-sanitizers.sh
fi
