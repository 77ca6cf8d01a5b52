#!/usr/bin/env bash
# Renders the committed PNG icons from the SVG, so that a build needs no
# renderer. Run it again after changing icons/quorvel.svg (needs librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" quorvel.svg --output "quorvel-$size.png"
done
