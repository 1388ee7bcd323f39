#!/usr/bin/env bash
# Renders the icon artwork, desktop/quillet.svg, to the PNG sizes the desktop and the window use.
# Run it after editing the drawing, and commit what it writes (rsvg-convert, from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" quillet.svg --output "icons/$size.png"
done
