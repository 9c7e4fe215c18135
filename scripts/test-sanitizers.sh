#!/usr/bin/env bash
# Builds Tempoloop's libraries and its core and window tests a second time,
# into build-asan/, as a Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer: assertions on, not optimised (the instrumented
# sources compile in less than half the time at -O0), line tables only
# (enough for the sanitizers' stack traces), the Qt headers precompiled (at
# -O0 parsing them is most of a source's time) and the sources compiled
# eight to a unit (a unity build: the headers they share are read once).
# Then it runs those tests there under a virtual X display, two at a time:
# the labels core and gui, every rule and every window, the three libmpv
# tests among them. The whole-program runs (gl, wayland, desktop), which
# take most of the tests' time, run in the normal build only. Any sanitizer
# report fails the run, and so does a skipped test.
#
# Leak detection stays off: the system's GL, X and libmpv libraries keep
# allocations until exit that are not ours to free.
#
#   scripts/test-sanitizers.sh [ctest arguments...]
#
# TEMPOLOOP_SANITIZER_LABELS sets the labels whose tests are built and run
# (default "core;gui"; "core;gui;gl;desktop" adds the whole-program runs).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ASAN_BUILD_DIR:-build-asan}
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

labels=${TEMPOLOOP_SANITIZER_LABELS:-core;gui}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DTEMPOLOOP_NO_SKIPS=ON -DTEMPOLOOP_PCH=ON \
  -DCMAKE_UNITY_BUILD=ON -DTEMPOLOOP_TEST_LABELS="$labels" -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

cd "$build"
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600 -j"${JOBS:-$(nproc)}" \
  -L "^(${labels//;/|})\$" "$@"
