#!/usr/bin/env bash
# Installs the dependencies, builds Tempoloop and runs its tests in two
# builds:
#
#  1. build/, as the program is built (RelWithDebInfo), with the benchmarks
#     compiled (not run, so they cannot rot), the Qt headers precompiled and
#     the sources compiled eight to a unit, a unity build (each cuts the
#     build time by a third or more; scripts/build.sh, which the README's
#     run command and every developer build use, builds without either, so
#     a source that misses an include still fails there): every label,
#     core, gui, gl (under one virtual X display, one gl test at a time),
#     wayland (each test under its own headless weston), desktop (each
#     on a session bus of its own) and sound (each with a PulseAudio server
#     of its own, recorded);
#  2. build-asan/ (scripts/test-sanitizers.sh): a Debug build with
#     assertions, AddressSanitizer and UndefinedBehaviorSanitizer, the
#     labels core and gui.
#
# A test that skips fails here: a skip is a test that did not run.
# TEMPOLOOP_SANITIZERS=0 leaves out the second build.
set -euo pipefail
cd "$(dirname "$0")/.."
export TEMPOLOOP_NO_SKIPS=1
jobs=$(nproc)

bash scripts/install-deps.sh
bash scripts/build.sh -DTEMPOLOOP_BENCH=ON -DTEMPOLOOP_NO_SKIPS=ON -DTEMPOLOOP_PCH=ON -DCMAKE_UNITY_BUILD=ON
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --output-on-failure --timeout 300 -j"$jobs")
if [ "${TEMPOLOOP_SANITIZERS:-1}" != 0 ]; then
  echo "== the core and window tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  bash scripts/test-sanitizers.sh
fi
