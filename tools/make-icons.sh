#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon assets/icon/bramblies.svg to the PNG sizes the desktop and the
# windows use (assets/icon/bramblies-N.png). Needs rsvg-convert (librsvg2-bin). The renders
# are kept in the repository; run this again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/../assets/icon"
for size in 16 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" bramblies.svg -o "bramblies-$size.png"
done
