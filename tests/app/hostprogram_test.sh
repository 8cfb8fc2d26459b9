#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# bramblies-host runs where no display libraries are installed: it needs QtCore and QtNetwork
# and nothing of Qt's GUI side, and it keeps the command-line manners of the other programs.
set -u
bin=${BRAMBLIES_BIN_DIR:?}
failed=0
fail() { echo "FAIL: $*"; failed=1; }
needed=$(readelf -d "$bin/bramblies-host" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for lib in libQt6Core libQt6Network; do
  grep -q "^$lib\.so" <<<"$needed" || fail "bramblies-host does not link $lib: $needed"
done
bad=$(grep -E '^lib(Qt6(Gui|Widgets|Multimedia|OpenGL|DBus|TextToSpeech)|GL|EGL|X11|xcb|wayland)' <<<"$needed")
[ -z "$bad" ] || fail "bramblies-host links display or sound libraries: $bad"
# The router, DNS-SD and crypto libraries are opened when first needed, the first two through
# the module beside the program, which needs no Qt at all.
bad=$(grep -E '^lib(miniupnpc|natpmp|avahi|crypto)' <<<"$needed")
[ -z "$bad" ] || fail "bramblies-host maps at start what it opens on demand: $bad"
bad=$(readelf -d "$bin/bramblies_net.so" | grep -E 'NEEDED.*\[lib(Qt6|GL|EGL|X11|xcb|wayland)')
[ -z "$bad" ] || fail "the network module links Qt or display libraries: $bad"

unset DISPLAY WAYLAND_DISPLAY
out=$(timeout 20 "$bin/bramblies-host" --help) || fail "--help exit $?"
grep -q '^Usage: bramblies-host \[OPTION...\]$' <<<"$out" || fail "--help: $out"
grep -q -- '--computer' <<<"$out" || fail "--help lacks the host's options: $out"
[ "$(timeout 20 "$bin/bramblies-host" --version)" = "bramblies-host ${BRAMBLIES_VERSION:?}" ] ||
  fail "--version"
err=$(timeout 20 "$bin/bramblies-host" Ann 2>&1 >/dev/null); rc=$?
[ $rc = 2 ] && [ "$err" = "bramblies-host: unexpected argument 'Ann' (see --help)" ] ||
  fail "a positional argument: exit $rc, $err"
err=$(timeout 20 "$bin/bramblies-host" --lobby host@example.org --lobby-password-file /nonexistent 2>&1 >/dev/null); rc=$?
[ $rc = 2 ] && [ "$err" = "bramblies-host: cannot read the lobby password file '/nonexistent'" ] ||
  fail "an unreadable lobby password file: exit $rc, $err"
err=$(timeout 20 "$bin/bramblies-host" --port 70000 2>&1 >/dev/null); rc=$?
[ $rc = 2 ] && [ "$err" = "bramblies-host: invalid port '70000' (expected a number from 0 to 65535)" ] ||
  fail "a bad port: exit $rc, $err"
# (timeout --foreground: a SIGTERM to timeout reaches the host once, not also through its
# process group, which the host would take as a second signal.)
# The JSON log: one object a line, each with a time and an event; the metrics where it says.
log=$(mktemp)
timeout --foreground 20 "$bin/bramblies-host" --port 0 --log-format json --metrics 0 2>"$log" >/dev/null &
host=$!
for _ in $(seq 100); do grep -q '/metrics' "$log" && break; sleep 0.1; done
python3 - "$log" <<'PY' || fail "the JSON log or the metrics: $(cat "$log")"
import json, re, sys, urllib.request
events = [json.loads(line) for line in open(sys.argv[1])]
assert all(e["time"].endswith("Z") for e in events), events
assert [e["event"] for e in events][:1] == ["listening"], events
url = re.search(r"http://127\.0\.0\.1:\d+/metrics", events[1]["text"]).group(0)
body = urllib.request.urlopen(url, timeout=10).read().decode()
assert "\nbramblies_players 0\n" in body, body
PY
kill -TERM $host; wait $host; rc=$?
[ $rc = 0 ] || fail "SIGTERM: exit $rc"

# Without its network module the host still serves and says that port mapping is missing.
alone=$(mktemp -d)
mkdir "$alone/games" && cp "$bin/bramblies-host" "$alone/games/"
timeout --foreground 20 "$alone/games/bramblies-host" --port 0 --port-mapping 2>"$log" >/dev/null &
host=$!
missing='this table on port [0-9]*: port mapping is not installed (it needs libminiupnpc17 and libnatpmp1)\.$'
for _ in $(seq 100); do grep -q "$missing" "$log" && break; sleep 0.1; done
grep -q "$missing" "$log" || fail "no mapping outcome without the module: $(cat "$log")"
kill -TERM $host; wait $host; rc=$?
[ $rc = 0 ] || fail "without the module, SIGTERM: exit $rc"
rm -rf "$log" "$alone"
[ $failed = 0 ] && echo "bramblies-host: all checks passed"
exit $failed
