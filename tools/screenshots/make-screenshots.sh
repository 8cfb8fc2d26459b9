#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the AppStream screenshots in packaging/screenshots/ from the real program on a private
# Xvfb display: a dedicated host, two scripted players (tableplayers.py) and the program
# joining as Bob. board.png: the table before the game; game.png: round 4 with chat;
# tally.png: the tally window after the game. Needs a built tree (default ./build), Xvfb,
# xdotool, ImageMagick's import and python3.
#
#   tools/screenshots/make-screenshots.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bin=$(cd "${1:-$root/build}" && pwd)
out=$root/packaging/screenshots
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

export BRAMBLIES_SETTINGS_FILE=$tmp/quarlobby.ini
# Bob has played before: a tally with his totals and two opponents he follows, Ann and Cat.
rows=("0 23 9 142 4 6 0 0 0" "Ann 12 5 6 1 0 0 0 0" "Cat 8 3 4 1 0 0 0 0")
{
  printf '9\r\n%s\r\n' "${#rows[@]}"
  for col in $(seq 0 8); do
    for row in "${rows[@]}"; do read -ra cells <<<"$row"; printf '%s\r\n' "${cells[$col]}"; done
  done
} >"$tmp/tally.txt"
"$bin/lzrw1" c "$tmp/tally.txt" "$tmp/brambliestally.tld" >/dev/null
for d in $(seq 90 140); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$d ] && break; sleep 0.1; done
export DISPLAY=:$d QT_QPA_PLATFORM=xcb

port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$bin/bramblies" --dedicated-host --port "$port" --bot-speed 400 --time-scale 2 \
  >"$tmp/host.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q listening "$tmp/host.log" && break; sleep 0.1; done

coproc PLAYERS { python3 -u "$here/tableplayers.py" "$port"; }
pids+=("$PLAYERS_PID")
expect() {
  local line
  read -r -t 240 line <&"${PLAYERS[0]}" || { echo "players ended early" >&2; exit 1; }
  [ "${line%% *}" = "$1" ] || { echo "expected $1, got $line" >&2; exit 1; }
}
shoot() { # shoot WINDOW_ID NAME
  sleep 1.5 # let the last messages and the dice animation settle
  import -window "$1" "$out/$2.png"
  echo "saved $out/$2.png"
}

expect ann
"$bin/bramblies" Bob 127.0.0.1 x --port "$port" >"$tmp/bob.log" 2>&1 &
pids+=($!)
table=$(xdotool search --sync --onlyvisible --name '^Bramblies$' | head -1)
expect cat
expect board
shoot "$table" board
echo >&"${PLAYERS[1]}"
expect game
shoot "$table" game
echo >&"${PLAYERS[1]}"
expect winner
echo >&"${PLAYERS[1]}"
sleep 2
# Close whatever the end of the game put up, then open View > View Tally.
for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
  [ "$w" = "$table" ] || xdotool key --window "$w" Return 2>/dev/null || true
done
eval "$(xdotool getwindowgeometry --shell "$table")"
xdotool mousemove "$((X + ${VIEW_MENU_X:-120}))" "$((Y + 10))" click 1
sleep 0.5
xdotool key Down Return
tally=$(xdotool search --sync --onlyvisible --name '^Bramblies - Tally List' | head -1)
# Select Ann among the players being tallied, so the right side shows their games together.
eval "$(xdotool getwindowgeometry --shell "$tally")"
xdotool mousemove "$((X + 280))" "$((Y + 32))" click 1
shoot "$tally" tally
