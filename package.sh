#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and makes the Debian packages build-deb/bramblies_<version>_<arch>.deb
# (the game) and build-deb/bramblies-server_<version>_<arch>.deb (the dedicated host). They are
# built hardened (the default) and reproducibly: no folder of this machine in the binaries and
# the packages' times from the last commit, so two runs on one commit give the same bytes. Its
# own build folder, because those flags differ from the development build's.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
dir=${BRAMBLIES_PACKAGE_DIR:-build-deb}
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLIES_REPRODUCIBLE=ON \
  -DBUILD_TESTING=OFF -DBRAMBLIES_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" -j "$jobs"
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/bramblies_*.deb "$dir"/bramblies-server_*.deb
