#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
# The tree's C++ is formatted as .clang-format says, and commit subjects are short; a drift
# fails here, before the build.
./tools/check-format.sh
./tools/check-commits.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLIES_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
# clang-tidy over what the last commit changed.
./tools/check-tidy.sh
# Everything, the slow tests included (for the edit-test loop: ctest -LE slow).
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
# Short fuzzing runs, when clang with libFuzzer is available.
if [ -x fuzz/run.sh ]; then
  ./fuzz/run.sh short
fi
echo "All tests passed."
