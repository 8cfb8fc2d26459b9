#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file of the tree differs from what clang-format (.clang-format at the root)
# makes of it, and names the files. `tools/check-format.sh --fix` formats them in place.
# Also fails when a source file or script lacks its licence line (SPDX, GPL-3.0-or-later).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!:fuzz/seeds/*')
if [[ "${1:-}" == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
unlicensed=()
while read -r f; do
  grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' "$f" || unlicensed+=("$f")
done < <(git ls-files '*.cpp' '*.h' '*.sh' '*.py' '*CMakeLists.txt' ':!:fuzz/seeds/*')
if (( ${#unlicensed[@]} )); then
  echo "These files lack the line '// SPDX-License-Identifier: GPL-3.0-or-later' (or '#'):" >&2
  printf '  %s\n' "${unlicensed[@]}" >&2
  exit 1
fi
drift=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || drift+=("$f")
done
if (( ${#drift[@]} )); then
  echo "These files are not formatted as .clang-format says (tools/check-format.sh --fix):" >&2
  printf '  %s\n' "${drift[@]}" >&2
  exit 1
fi
echo "Formatting: ${#files[@]} files as .clang-format says."
