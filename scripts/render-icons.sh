#!/usr/bin/env bash
# Renders the icon artwork, desktop/quillet.svg, anew to each PNG size in desktop/icons/ (a file
# a size, named by it; to add a size, name it: render-icons.sh 96). Run it after editing the
# drawing, and commit what it writes (rsvg-convert, from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../desktop"
sizes=("$@")
if [ ${#sizes[@]} -eq 0 ]; then
  for icon in icons/*.png; do sizes+=("$(basename "$icon" .png)"); done
fi
for size in "${sizes[@]}"; do
  rsvg-convert --width "$size" --height "$size" quillet.svg --output "icons/$size.png"
done
