#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The direction of dependencies between the source folders. The game's rules and players stand
# on their own; the network code needs only them; the host and the table's client both build on
# those two and never on each other; the lobby starts games but reaches into neither; nothing
# but the programs' entry uses app/, and no core code reaches into a Qt folder.
set -u
src="${BRAMBLIES_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}/src"
status=0
forbid() { # folder (with its qt/ adapters), pattern of included folders it may not use
  local hits
  hits=$(grep -rnE "#include \"($2)/" "$src/$1" || true)
  if [[ -n "$hits" ]]; then
    echo "src/$1 includes what it may not use:"
    echo "$hits"
    status=1
  fi
}
forbid game 'net|host|client|lobby|chat|stats|widgets|windows|app'
forbid net 'host|client|lobby|chat|stats|widgets|windows|app'
forbid host 'client|lobby|stats|widgets|windows|app'
forbid client 'host|lobby|app'
forbid lobby 'host|client|app'
for m in game net host client lobby chat stats; do
  hits=$(grep -nE '#include "[a-z]+/qt/' "$src/$m"/*.h "$src/$m"/*.cpp 2>/dev/null || true)
  if [[ -n "$hits" ]]; then
    echo "core code of src/$m includes a Qt folder:"
    echo "$hits"
    status=1
  fi
done
# The XMPP library stays behind the lobby's own session interface (src/lobby/qt/xmpp).
hits=$(grep -rlE '#include <gloox/' "$src" | grep -v "^$src/lobby/qt/xmpp/" || true)
if [[ -n "$hits" ]]; then
  echo "gloox is included outside src/lobby/qt/xmpp:"
  echo "$hits"
  status=1
fi
exit $status
