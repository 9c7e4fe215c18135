#!/usr/bin/env bash
# Builds the program and its Debian package, build/tempoloop_VERSION_ARCH.deb.
# The package's library dependencies come from what the program links
# (dpkg-shlibdeps); install it with: apt install ./build/tempoloop_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target tempoloop
cd build
rm -f tempoloop_*.deb
cpack -G DEB
dpkg-deb --info tempoloop_*.deb | sed -n '/Package:/,$p'
ls -l "$PWD"/tempoloop_*.deb
