#!/usr/bin/env bash
# Configures and builds Tempoloop into build/ (the program lands in build/bin/).
# Extra arguments go to the configuration (scripts/test.sh adds the
# benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$(nproc)"
