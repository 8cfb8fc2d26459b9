#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Where the table window goes under a real window manager (openbox on a private Xvfb display),
# started and ended again and again as a player does: the stored Top and Left are the frame's
# (title bar included), the window comes back exactly there, and a title bar stored above the
# screen comes back on it. Each run waits for its settings to be read: they give the window a
# size of its own, which shows when they have been.
set -u
bin=${BRAMBLIES_BIN_DIR:?}
skip() {
  echo "skipped: $*"
  exit 0
}
for tool in Xvfb openbox xwininfo xprop; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (tools/deps/table-checks.list)"
done
dir=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT

# The server picks a free display and names it once it is ready.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$dir/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
[ -s "$dir/display" ] || skip "Xvfb did not start"
export DISPLAY=:$(head -1 "$dir/display")
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window; }
# Now and then openbox starts without ever taking the display (a busy machine); a second
# one does.
for _ in 1 2 3; do
  openbox --sm-disable >"$dir/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 50); do managed && break; sleep 0.1; done
  managed && break
  kill $wm
  wait $wm 2>/dev/null
done
pids+=($wm)
managed || skip "openbox did not start: $(cat "$dir/openbox.log")"

failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}
ini=$dir/quarlobby.ini
key() { sed -n "s/^$1=//p" "$ini" | tr -d '\r'; }
# The table window's frame, as the window manager placed it: "LEFT TOP WIDTH HEIGHT" of the
# client area and the frame's left and top edges, or nothing while it is not framed yet.
frame() {
  local line id w h x y extents
  line=$(xwininfo -root -tree | grep -m1 '"Bramblies": (') || return
  read -r id _ <<<"$line"
  read -r w h x y <<<"$(sed -E 's/.* ([0-9]+)x([0-9]+)[+-][-0-9]+[+-][-0-9]+ +\+?(-?[0-9]+)\+?(-?[0-9]+).*/\1 \2 \3 \4/' <<<"$line")"
  extents=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,)
  [ -n "$extents" ] || return
  read -r el _ et _ <<<"$extents"
  echo "$w $h $((x - el)) $((y - et))"
}
# run EXPECTED_LEFT EXPECTED_TOP: one start and end of a solo game.
run() {
  local want="760 540 $1 $2" got="" port
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  BRAMBLIES_SETTINGS_FILE=$ini TMPDIR=$dir QT_QPA_PLATFORM=xcb \
    "$bin/bramblies" --port "$port" >"$dir/log" 2>&1 &
  local pid=$!
  for _ in $(seq 200); do
    got=$(frame)
    [ "$got" = "$want" ] && break
    sleep 0.1
  done
  [ "$got" = "$want" ] || fail "run $3: the window is at '$got', not '$want'"
  kill -TERM $pid
  wait $pid || fail "run $3: exit $?: $(cat "$dir/log")"
  if [ -n "$(key Top)" ] && { [ "$(key Left)" != "$1" ] || [ "$(key Top)" != "$2" ]; }; then
    fail "run $3: stored Left=$(key Left) Top=$(key Top), not $1 $2"
  fi
}

# A fresh start (no place stored) and the restarts after it; then a place of the player's
# own; then a title bar stored above the screen, as the window once crept there.
printf '[bramblies]\r\nWidth=760\r\nHeight=540\r\n' >"$ini"
for n in 1 2 3 4; do run 3 3 "fresh $n"; done
printf '[bramblies]\r\nTop=140\r\nLeft=220\r\nWidth=760\r\nHeight=540\r\n' >"$ini"
for n in 1 2 3; do run 220 140 "moved $n"; done
printf '[bramblies]\r\nTop=-97\r\nLeft=-1\r\nWidth=760\r\nHeight=540\r\n' >"$ini"
run -1 0 "off the top"
[ $failed = 0 ] && echo "window placement: all checks passed"
exit $failed
