#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program and starts a solo game against the computer.
# Any arguments are handed to the program (NAME ADDRESS true to host, NAME ADDRESS x to join).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLIES_WERROR=OFF >/dev/null
cmake --build build -j "$jobs" --target bramblies
exec ./build/bramblies "$@"
