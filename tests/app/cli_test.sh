#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Command-line manners of every program: --help and --version print to stdout and exit 0, a
# fault prints one line to stderr and exits 2. None of this may need a display: the display is
# taken away, so a program that got as far as opening a window would fail differently.
set -u
bin=${BRAMBLIES_BIN_DIR:?}
version=${BRAMBLIES_VERSION:?}
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
failed=0
# check EXPECTED_RC EXPECTED_STDERR STDOUT_GLOB PROGRAM ARGS...
check() {
  local rc=$1 err=$2 out=$3; shift 3
  local got_out got_err got_rc
  got_out=$(timeout 20 "$bin/$@" 2>/tmp/cli_test_err.$$); got_rc=$?
  got_err=$(cat /tmp/cli_test_err.$$)
  # shellcheck disable=SC2053
  if [ "$got_rc" != "$rc" ] || [ "$got_err" != "$err" ] || [[ $got_out != $out ]]; then
    echo "FAIL: $*"
    echo "  exit $got_rc (want $rc)"; echo "  stderr: $got_err"; echo "  want:   $err"
    echo "  stdout: $(head -3 <<<"$got_out")"
    failed=1
  fi
}
port_fault="bramblies: invalid port '%s' (expected a number from 0 to 65535)"
check 0 "" "Usage: bramblies *--dedicated-host*" bramblies --help
check 0 "" "bramblies $version" bramblies --version
check 0 "" "Usage: bramblies *--dedicated-host*" bramblies -h
check 0 "" "bramblies $version" bramblies -v
check 0 "" "Usage: bramblies*" bramblies Ann 10.0.0.5 true --help
for bad in 70000 -1 abc "" 99999999999999999999; do
  for mode in "" "--dedicated-host" "Ann 10.0.0.5 true" "Ann 10.0.0.5 x"; do
    # shellcheck disable=SC2086,SC2059
    check 2 "$(printf "$port_fault" "$bad")" "" bramblies $mode --port "$bad"
  done
done
check 2 "bramblies: invalid time scale '-1' (expected a number above 0)" "" \
  bramblies --time-scale -1
check 2 "bramblies: unknown option '--colour' (see --help)" "" bramblies --colour red
check 2 "bramblies: option '--port' needs a value" "" bramblies --dedicated-host --port

check 0 "" "Usage: bramblies-lobby *--join*" bramblies-lobby --help
check 0 "" "bramblies-lobby $version" bramblies-lobby --version
check 2 "bramblies-lobby: Unknown option 'hots'. (see --help)" "" bramblies-lobby --hots
check 2 "bramblies-lobby: Missing value after '--player'. (see --help)" "" \
  bramblies-lobby --player
check 2 "bramblies-lobby: unexpected argument 'Ann' (see --help)" "" bramblies-lobby Ann

check 0 "" "Usage: lzrw1 c IN OUT*" lzrw1 --help
check 0 "" "lzrw1 (Bramblies) $version" lzrw1 --version
check 2 "lzrw1: missing command (see --help)" "" lzrw1
check 2 "lzrw1: unknown command '--bogus' (see --help)" "" lzrw1 --bogus
check 2 "lzrw1: invalid mode 'best' (expected fast, good or auto) (see --help)" "" \
  lzrw1 c in out --mode best
rm -f /tmp/cli_test_err.$$
[ $failed = 0 ] && echo "command lines: all checks passed"
exit $failed
