#!/usr/bin/env bash
# Renders the program's icon, data/icons/tempoloop.svg, into the PNG sizes
# that are installed beside it (data/icons/tempoloop-SIZE.png). The PNGs are
# committed, so the build needs no SVG renderer; run this after changing the
# SVG. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"

if ! command -v rsvg-convert >/dev/null; then
  echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2
  exit 1
fi
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" tempoloop.svg --output "tempoloop-$size.png"
done
ls -l tempoloop-*.png
