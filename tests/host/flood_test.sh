#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The short flood: a dedicated host on loopback under idle, oversized, many-frame, non-reading
# and chatty peers must survive, lose no legitimate line, keep its memory, and seat a player.
set -euo pipefail
exec python3 "$BRAMBLIES_SOURCE_DIR/tools/netload/flood.py" --short \
  --binary "$BRAMBLIES_BIN_DIR/bramblies"
