#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The lobby server's configuration (deploy/lobby/prosody.cfg.lua) as shipped passes Prosody's
# own check, and a copy pointed at a scratch folder, a free port and a test certificate starts
# in the real Prosody with every module loaded and no error logged.
set -u
cfg=${BRAMBLIES_SOURCE_DIR:?}/deploy/lobby/prosody.cfg.lua
command -v prosody >/dev/null || { echo "SKIP: prosody is not installed"; exit 0; }
dir=$(mktemp -d)
chmod 755 "$dir" # prosodyctl, started as root, reads the file as the prosody user
pid=
trap '[ -n "$pid" ] && { kill -9 "$pid"; wait "$pid"; } 2>/dev/null; rm -rf "$dir"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

cp "$cfg" "$dir/shipped.cfg.lua"
out=$(prosodyctl --config "$dir/shipped.cfg.lua" check config 2>&1)
echo "$out" | grep -q "All checks passed" || fail "prosodyctl check config: $out"

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 \
  -keyout "$dir/localhost.key" -out "$dir/localhost.crt" -subj /CN=localhost \
  -addext subjectAltName=DNS:localhost 2>/dev/null || fail "openssl made no certificate"
{
  echo "data_path = \"$dir\"; run_as_root = true; daemonize = false; interfaces = { \"127.0.0.1\" }"
  sed -e "s|lobby.example.org|localhost|g" -e "s|c2s_ports = { 5222 }|c2s_ports = { $port }|" \
      -e "s|/run/prosody|$dir|" -e "s|/var/log/prosody|$dir|g" \
      -e "s|certificates = \"certs\"|certificates = \"$dir\"|" "$cfg"
} > "$dir/test.cfg.lua"
prosody --config "$dir/test.cfg.lua" -F > "$dir/console.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  grep -q "Activated service 'c2s' on \[127.0.0.1\]:$port" "$dir/prosody.log" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
grep -q "Activated service 'c2s'" "$dir/prosody.log" 2>/dev/null ||
  fail "the server did not start: $(cat "$dir/console.log" "$dir/prosody.log" 2>/dev/null)"
[ -s "$dir/prosody.err" ] && fail "the server logged errors: $(cat "$dir/prosody.err")"
[ $failed = 0 ] && echo "lobby server configuration: all checks passed"
exit $failed
