#!/usr/bin/env bash
# The direction of dependencies between the source folders: the host and the network code
# never reach up into the table window's client, widgets or windows, and the network code
# stands on its own.
set -u
src="${BRAMBLIES_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}/src"
status=0
forbid() { # folder, pattern of included folders it may not use
  local hits
  hits=$(grep -rnE "#include \"($2)/" "$src/$1" || true)
  if [[ -n "$hits" ]]; then
    echo "src/$1 includes what it may not use:"
    echo "$hits"
    status=1
  fi
}
forbid host 'client|widgets|windows'
forbid net 'host|client|chat|stats|widgets|windows|app'
exit $status
