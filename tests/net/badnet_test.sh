#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A whole game through a delaying, stalling, splitting relay between two network namespaces:
# every chat line in order, every player and the late joiner agreeing on the totals.
set -uo pipefail
python3 "$BRAMBLIES_SOURCE_DIR/tools/netload/badnet.py" --binary "$BRAMBLIES_BIN_DIR/bramblies"
rc=$?
[ "$rc" -eq 77 ] && exit 0 # skipped, the reason is printed above
exit "$rc"
