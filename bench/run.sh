#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and the benchmarks in Release and prints every performance figure beside
# its anchor, measured in the same run: the first paint against a bare Qt window, the codec
# against LZ4, and -- when a folder of earlier builds is given -- every figure against the
# same benchmark of that earlier build.
#
#   bench/run.sh [--before DIR] [--runs N] [--seconds S]
#
#   --before DIR  a folder holding bramblies, bench_codecblocks, bench_hostgames and
#                 bench_dicetumble of an earlier build (copied out of its build-bench and
#                 build-bench/bench)
#   --runs N      first-paint starts per program, alternating (default 7; medians are shown)
#   --seconds S   how long the dice tumble is measured (default 20)
#
# The windows run on a private Xvfb display. BENCH_BUILD names the build folder
# (default build-bench). Run it alone on the machine, or under nice beside other work: every
# ratio compares two figures taken side by side.
set -euo pipefail
cd "$(dirname "$0")/.."
before="" runs=7 seconds=20
while [ $# -gt 0 ]; do
  case "$1" in
    --before) before=$(realpath "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    *) echo "usage: bench/run.sh [--before DIR] [--runs N] [--seconds S]" >&2; exit 2 ;;
  esac
done
build=${BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j 2 --target bramblies bench_codecblocks bench_hostgames \
  bench_dicetumble bench_barewindow bench_firstpaint >/dev/null
build=$(realpath "$build")

work=$(mktemp -d)
xpid=""
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null && wait "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
# Xvfb picks a free display itself and names it once it is ready: two runs started together
# never share (and then lose) one server. -noreset: every start ends with no client left, and
# the server would otherwise start over in the middle of the next start's connection.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 3>"$work/display" &
xpid=$!
for _ in $(seq 300); do [ -s "$work/display" ] && break; sleep 0.1; done
n=$(cat "$work/display")
export DISPLAY=":$n" QT_QPA_PLATFORM=xcb
export BRAMBLIES_SETTINGS_FILE="$work/quarlobby.ini" # never the user's settings or tally

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
figure() { awk -v k="$1" '$1 == "FIGURE" && $2 == k { print $3 }' "$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2fx", a / b; else print "-" }'; }
row() { printf '%-46s %12s %12s %9s   %s\n' "$@"; }

# --- first paint ------------------------------------------------------------------------------
port=$((40000 + $$ % 20000))
paint() { # LABEL COMMAND...: one start, appends "ms kib" to $work/LABEL
  local label=$1; shift
  "$build/bench/bench_firstpaint" "$@" | awk '$1 == "FIRSTPAINT" { print $2, $3, $4 }' >>"$work/$label"
  rm -f "$work"/*.ini "$work"/*.tld
}
for _ in $(seq "$runs"); do
  paint bare "$build/bench/bench_barewindow"
  paint now "$build/bramblies" --port "$port"
  [ -n "$before" ] && paint before "$before/bramblies" --port "$port"
done
for l in bare now before; do
  [ -s "$work/$l" ] || continue
  cut -d' ' -f1 "$work/$l" | median >"$work/$l.ms"
  cut -d' ' -f2 "$work/$l" | median >"$work/$l.kib"
  cut -d' ' -f3 "$work/$l" | median >"$work/$l.cpu"
done

# --- the other figures, now and (when given) before ---------------------------------------------
measure() { # DIR OUT
  "$1/bench_codecblocks" >"$2.codec"
  "$1/bench_hostgames" >"$2.host"
  "$1/bench_dicetumble" "$seconds" >"$2.tumble" 2>"$2.tumble.err" || true
  rm -f "$work"/*.ini "$work"/*.tld
}
measure "$build/bench" "$work/now"
[ -n "$before" ] && measure "$before" "$work/before"

echo "Bramblies benchmarks, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, Release build"
echo
sed -n '1,/^FIGURE/p' "$work/now.codec" | grep -v '^FIGURE'
echo
row "figure" "now" "anchor" "ratio" "anchor is"
row "----------------------------------------------" "------------" "------------" "---------" "---------"
bms=$(cat "$work/bare.ms") nms=$(cat "$work/now.ms")
row "start to first paint, ms (median of $runs)" "$nms" "$bms" "$(ratio "$nms" "$bms")" "bare Qt window (goal <= 1.5x)"
# The CPU the process used up to that frame: steadier than the time on a busy machine.
bcpu=$(cat "$work/bare.cpu") ncpu=$(cat "$work/now.cpu")
row "CPU from start to first paint, ms" "$ncpu" "$bcpu" "$(ratio "$ncpu" "$bcpu")" "bare Qt window"
bk=$(cat "$work/bare.kib") nk=$(cat "$work/now.kib")
row "resident memory at first paint, MB" "$(awk -v k="$nk" 'BEGIN{printf "%.1f", k/1024}')" \
  "$(awk -v k="$bk" 'BEGIN{printf "%.1f", k/1024}')" "$(ratio "$nk" "$bk")" "bare Qt window (goal <= 38 MB)"
row "LZRW1/KH block compress vs LZ4 default" "$(figure kh_compress_MBps "$work/now.codec") MB/s" "" \
  "$(figure kh_compress_vs_lz4 "$work/now.codec")x" "LZ4, same chunks (goal >= 0.66x)"
row "LZRW1/KH block expand vs LZ4 default" "$(figure kh_expand_MBps "$work/now.codec") MB/s" "" \
  "$(figure kh_expand_vs_lz4 "$work/now.codec")x" "LZ4, same chunks (goal >= 0.5x)"
if [ -n "$before" ]; then
  pms=$(cat "$work/before.ms") pk=$(cat "$work/before.kib")
  row "start to first paint, ms" "$nms" "$pms" "$(ratio "$nms" "$pms")" "before"
  pcpu=$(cat "$work/before.cpu")
  row "CPU from start to first paint, ms" "$ncpu" "$pcpu" "$(ratio "$ncpu" "$pcpu")" "before"
  row "resident memory at first paint, KiB" "$nk" "$pk" "$(ratio "$nk" "$pk")" "before"
fi
for key in tumble_cpu_percent:tumble host_games_2seat:host host_games_6seat:host \
  kh_compress_MBps:codec kh_expand_MBps:codec lzh_compress_MBps:codec lzh_expand_MBps:codec; do
  k=${key%%:*} f=${key##*:}
  now=$(figure "$k" "$work/now.$f")
  if [ -n "$before" ]; then
    was=$(figure "$k" "$work/before.$f")
    row "$k" "${now:-failed}" "${was:-failed}" "$(ratio "${now:-0}" "${was:-0}")" "before"
  else
    row "$k" "${now:-failed}" "" "" ""
  fi
done
echo
echo "Goals: tumble CPU <= 0.2 % of a core; host >= 60000 two-seat games/s."
