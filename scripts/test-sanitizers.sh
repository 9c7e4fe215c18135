#!/usr/bin/env bash
# Builds Tempoloop and its tests a second time, into build-asan/, as a Debug
# build with AddressSanitizer and UndefinedBehaviorSanitizer: assertions
# on, not optimised (the instrumented sources compile in less than half the
# time at -O0), line tables only (enough for the sanitizers' stack traces),
# the Qt headers precompiled (at -O0 parsing them is most of a source's
# time).
# Then it runs the tests there under a virtual X display, two at a time:
# every label but wayland (that one runs in the normal build). Any
# sanitizer report fails the run, and so does a skipped test.
#
# Leak detection stays off: the system's GL, X and libmpv libraries keep
# allocations until exit that are not ours to free.
#
#   scripts/test-sanitizers.sh [ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${ASAN_BUILD_DIR:-build-asan}
sanitize="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined"

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DTEMPOLOOP_NO_SKIPS=ON -DTEMPOLOOP_PCH=ON \
  -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

cd "$build"
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600 -j"${JOBS:-$(nproc)}" \
  --label-exclude wayland "$@"
