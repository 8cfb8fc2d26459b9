#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a commit since the rule began has a subject longer than 72 characters (details
# go in the body). Merges of branches are checked like any other commit.
set -euo pipefail
cd "$(dirname "$0")/.."
since=7b717848cf6caf5decf8422820930effa9b831be # the last commit before the rule
git cat-file -e "$since^{commit}" 2>/dev/null || { echo "Commits: history too shallow to check."; exit 0; }
long=$(git log --format='%h %s' "$since..HEAD" | awk 'length($0) - 8 > 72')
if [[ -n "$long" ]]; then
  echo "Commit subjects longer than 72 characters:" >&2
  echo "$long" >&2
  exit 1
fi
echo "Commits: every subject since the rule began is 72 characters or fewer."
