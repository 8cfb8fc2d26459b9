#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy (.clang-tidy at the root) over the C++ source files a change touched and
# fails on any finding. The change is what differs from BASE (default: the last commit's
# parent), uncommitted edits included. Needs a configured build/ (compile_commands.json).
#
#   tools/check-tidy.sh            the last commit and what is not committed yet
#   tools/check-tidy.sh main       everything a branch changed since main
set -euo pipefail
cd "$(dirname "$0")/.."
base=${1:-HEAD~1}
command -v clang-tidy >/dev/null || { echo "check-tidy: clang-tidy is not installed" >&2; exit 2; }
[[ -f build/compile_commands.json ]] || { echo "check-tidy: configure build/ first" >&2; exit 2; }
git rev-parse -q --verify "$base^{commit}" >/dev/null || { echo "check-tidy: no $base, nothing to compare"; exit 0; }
mapfile -t files < <(git diff --name-only --diff-filter=AMR "$base" -- 'src/*.cpp' 'tools/*.cpp' |
                     while read -r f; do grep -q "\"file\": \"$PWD/$f\"" build/compile_commands.json && echo "$f"; done)
# A change that touches most of the tree (a move, a reformatting) is not checked file by file.
if (( ${#files[@]} > 25 )); then
  echo "Tidy: ${#files[@]} files changed since $base; run tools/check-tidy.sh on smaller steps."
  exit 0
fi
(( ${#files[@]} )) || { echo "Tidy: no source file changed since $base."; exit 0; }
clang-tidy -p build --quiet "${files[@]}" 2>/dev/null
echo "Tidy: ${#files[@]} changed files clean."
