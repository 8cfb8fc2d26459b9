#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format (.clang-format at the root)
# makes of it, and names the files. `tools/check-format.sh --fix` formats them in place.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "check-format: clang-format is not installed" >&2; exit 2; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' ':!:fuzz/seeds/*')
if [[ "${1:-}" == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
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
