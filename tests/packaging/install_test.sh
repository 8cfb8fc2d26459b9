#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks the tree: the programs, the desktop
# entry, the AppStream file, the icons, the manual pages, the services and the package's
# documents, and nothing of the build or the tests. Then runs the installed programs and
# validates the desktop entry, the AppStream file and the services with the desktop's tools.
set -u
bin=${BRAMBLIES_BIN_DIR:?} id=${BRAMBLIES_APP_ID:?} version=${BRAMBLIES_VERSION:?}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

"${CMAKE_COMMAND:-cmake}" --install "$bin" --prefix "$prefix" >/dev/null || fail "cmake --install"
cd "$prefix"

expected=(games/bramblies games/bramblies-lobby bin/lzrw1
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
  share/man/man6/bramblies.6.gz share/man/man6/bramblies-lobby.6.gz share/man/man1/lzrw1.1.gz
  share/doc/bramblies/copyright share/doc/bramblies/changelog.gz
  share/doc/bramblies-server/copyright share/doc/bramblies-server/changelog.gz
  share/doc/bramblies-server/operators-guide.md
  lib/systemd/system/bramblies-host.service lib/systemd/system/bramblies-host@.service
  lib/bramblies/bramblies_sound.so lib/bramblies/bramblies_net.so lib/bramblies/bramblies_speech.so)
for size in 16 24 32 48 64 128 256 512; do
  expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for f in "${expected[@]}"; do [ -f "$f" ] || fail "missing $f"; done
# Anything else must be another program (a later one needs no change here) or its page.
while read -r f; do
  case " ${expected[*]} " in *" $f "*) continue ;; esac
  case $f in
    */bench_* | */*_test* | */qt_* | */core_tests) fail "build or test file $f" ;;
    bin/* | games/* | share/man/man[1-8]/*.gz) ;;
    *) fail "unexpected $f" ;;
  esac
done < <(find . -type f -printf '%P\n' | sort)
for f in bin/* games/*; do [ -x "$f" ] || fail "$f is not executable"; done

[ "$(games/bramblies --version)" = "bramblies $version" ] || fail "bramblies --version"
# The installed host finds its network module in ../lib/bramblies (it announces its table, and
# so opens the module, as it starts).
log=$(mktemp)
games/bramblies-host --port 0 2>"$log" >/dev/null &
host=$!
module="$prefix/lib/bramblies/bramblies_net.so"
for _ in $(seq 100); do grep -q "$module" "/proc/$host/maps" && break; sleep 0.1; done
grep -q "$module" "/proc/$host/maps" ||
  fail "the installed host did not open its network module: $(cat "$log")"
kill -TERM $host; wait $host
rm -f "$log"
bin/lzrw1 --help | grep -q '^Usage: lzrw1' || fail "lzrw1 --help"
# A PNG's width is the big-endian word at byte 16.
for size in 16 256; do
  w=$(od -An -tu1 -j16 -N4 "share/icons/hicolor/${size}x$size/apps/$id.png" | awk '{print $3*256+$4}')
  [ "$w" = "$size" ] || fail "the ${size}x$size icon is $w pixels wide"
done

# The desktop entry starts installed programs only.
grep -h '^Exec=' "share/applications/$id.desktop" | while read -r line; do
  program=${line#Exec=}; program=${program%% *}
  [ -x "games/$program" ] || echo "FAIL: desktop entry runs $program, which is not installed"
done | grep . && failed=1

desktop-file-validate "share/applications/$id.desktop" || fail "desktop-file-validate"
out=$(appstreamcli validate --no-net --no-color "share/metainfo/$id.metainfo.xml" 2>&1)
if [ $? != 0 ] || grep -qE '^(E|W):' <<<"$out"; then fail "appstreamcli: $out"; fi
for p in bin/* games/*; do
  grep -q "<binary>${p#*/}</binary>" "share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream file does not provide ${p#*/}"
done
for unit in bramblies-host.service bramblies-host@.service; do
  grep -q "^ExecStart=$prefix/games/bramblies-host --port" "lib/systemd/system/$unit" ||
    fail "$unit does not run the installed bramblies-host"
done
# Both would bind 7772; a Conflicts= on either side makes systemd stop one to start the other.
grep -qx 'Conflicts=bramblies-host@7772.service' lib/systemd/system/bramblies-host.service ||
  fail "bramblies-host.service does not conflict with bramblies-host@7772"

if ! command -v systemd-analyze >/dev/null; then
  echo "SKIP systemd-analyze verify: systemd-analyze is not installed"
else
  units=$(mktemp -d)
  cp lib/systemd/system/bramblies-host.service "$units/"
  cp lib/systemd/system/bramblies-host@.service "$units/bramblies-host@7773.service"
  # The operator's guide's metrics drop-in, as written there, for the installed program.
  mkdir "$units/bramblies-host@7773.service.d"
  sed -n '/^    \[Service\]$/,/^$/s/^    //p' "${BRAMBLIES_SOURCE_DIR:?}/deploy/README.md" |
    sed "s|/usr/|$prefix/|" >"$units/bramblies-host@7773.service.d/metrics.conf"
  grep -q -- '--metrics 0.0.0.0:' "$units/bramblies-host@7773.service.d/metrics.conf" ||
    fail "the guide's metrics drop-in does not listen where a remote Prometheus reaches it"
  out=$(SYSTEMD_LOG_LEVEL=warning systemd-analyze verify --man=no \
    "$units/bramblies-host.service" "$units/bramblies-host@7773.service" 2>&1)
  rc=$?
  rm -rf "$units"
  if [ $rc != 0 ] || grep -q bramblies <<<"$out"; then fail "systemd-analyze verify: $out"; fi
fi
[ $failed = 0 ] && echo "install tree: all checks passed"
exit $failed
