#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages from the built tree (CPack installs into its own staging folder;
# nothing is compiled again), then checks their names, contents, control fields, hardening,
# maintainer scripts and lintian's verdict, and installs, upgrades and purges the server's
# package in a throw-away copy of this system.
set -u
bin=${BRAMBLIES_BIN_DIR:?} version=${BRAMBLIES_VERSION:?} id=${BRAMBLIES_APP_ID:?}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
for tool in dpkg-deb dpkg-shlibdeps lintian; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

(cd "$bin" && "${CPACK_COMMAND:-cpack}" -G DEB -B "$out" >"$out/cpack.log" 2>&1) ||
  { cat "$out/cpack.log"; fail "cpack"; exit 1; }
arch=$(dpkg --print-architecture)
game=$out/bramblies_${version}_$arch.deb server=$out/bramblies-server_${version}_$arch.deb
for deb in "$game" "$server"; do [ -f "$deb" ] || { ls "$out"; fail "no $deb"; exit 1; }; done

# Each file in its package, and nothing of the other's.
game_files=(./usr/games/bramblies ./usr/games/bramblies-lobby ./usr/bin/lzrw1
  "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml"
  "./usr/share/icons/hicolor/256x256/apps/$id.png" ./usr/share/man/man6/bramblies.6.gz
  ./usr/share/doc/bramblies/copyright ./usr/lib/bramblies/bramblies_net.so
  ./usr/lib/bramblies/bramblies_sound.so ./usr/lib/bramblies/bramblies_speech.so)
server_files=(./usr/games/bramblies-host ./usr/lib/systemd/system/bramblies-host.service
  ./usr/lib/systemd/system/bramblies-host@.service ./usr/share/man/man6/bramblies-host.6.gz
  ./usr/share/doc/bramblies-server/copyright ./usr/share/doc/bramblies-server/changelog.gz
  ./usr/share/doc/bramblies-server/operators-guide.md)
check_contents() { # DEB, then the files it must hold, --, the files it must not
  local contents f must=1
  contents=$(dpkg-deb -c "$1" | awk '{print $NF}')
  shift
  for f in "$@"; do
    if [ "$f" = -- ]; then must=0; continue; fi
    grep -qxF "$f" <<<"$contents"
    [ $? = $((1 - must)) ] || fail "$(basename "$deb"): $([ $must = 1 ] && echo lacks || echo holds) $f"
  done
  grep -q 'build/\|_test\|bench_' <<<"$contents" && fail "$deb holds build or test files"
}
deb=$game check_contents "$game" "${game_files[@]}" -- "${server_files[@]}"
deb=$server check_contents "$server" "${server_files[@]}" -- "${game_files[@]}"

dpkg-deb -x "$server" "$out/root"
for unit in bramblies-host.service bramblies-host@.service; do
  grep -q '^ExecStart=/usr/games/bramblies-host ' "$out/root/usr/lib/systemd/system/$unit" ||
    fail "the packaged $unit does not run /usr/games/bramblies-host"
done

# The game needs the shell's libraries; what the modules open on demand is only recommended,
# with the speech engine and Qt's plug-in for it and the daemon that finds tables nearby. The
# server needs QtCore and QtNetwork and nothing of a display.
# libcrypto is opened at run time, out of dpkg-shlibdeps' sight: its package is named by hand.
crypto=$(dpkg-query -S '*/libcrypto.so.3' 2>/dev/null | sed -n '1s/[:,].*//p')
crypto=${crypto:-libssl3}
field_has() { # DEB FIELD [!]PACKAGE...
  local deb=$1 field=$2 value lib
  value=$(dpkg-deb -f "$deb" "$field")
  shift 2
  for lib in "$@"; do
    if [ "${lib#!}" != "$lib" ]; then
      grep -q "\b${lib#!}\b" <<<"$value" && fail "$(basename "$deb") $field has ${lib#!}: $value"
    else
      grep -q "\b$lib\b" <<<"$value" || fail "$(basename "$deb") $field lacks $lib: $value"
    fi
  done
}
field_has "$game" Depends libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 "$crypto" \
  '!libqt6multimedia6' '!libqt6texttospeech6' '!libavahi-client3' '!libminiupnpc17'
field_has "$game" Recommends libqt6multimedia6 libqt6texttospeech6 libavahi-client3 \
  libminiupnpc17 qt6-speech-speechd-plugin speech-dispatcher avahi-daemon
field_has "$server" Depends libqt6core6 libqt6network6 "$crypto" '!libqt6gui6' \
  '!libqt6widgets6' '!libqt6multimedia6' '!bramblies\b'
for deb in "$game" "$server"; do
  [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "$(basename "$deb"): section is not games"
done

# Every program and module is built with Debian's hardening flags. _FORTIFY_SOURCE leaves a
# call unchecked where the compiler cannot know the buffer's size, so a small program may show
# no checked call at all (lzrw1's are all of that kind): the two big programs must show some.
dpkg-deb -x "$game" "$out/root"
elves=$(cd "$out/root" && ls usr/games/* usr/bin/* usr/lib/bramblies/*)
for f in $elves; do
  if command -v hardening-check >/dev/null; then
    nofortify=--nofortify
    case $f in usr/games/bramblies | usr/games/bramblies-host) nofortify= ;; esac
    hardening-check -q --nocfprotection $nofortify "$out/root/$f" >"$out/hardening" ||
      fail "$f is not hardened: $(cat "$out/hardening")"
  else # readelf alone: PIE or shared, RELRO, BIND_NOW and the stack protector
    elf=$(readelf -hlds --wide "$out/root/$f")
    for mark in 'Type: *DYN' GNU_RELRO 'FLAGS.*BIND_NOW' __stack_chk_fail; do
      grep -q "$mark" <<<"$elf" || fail "$f lacks $mark"
    done
  fi
done

# The server's maintainer scripts, executable.
dpkg-deb -e "$server" "$out/control"
for script in postinst prerm postrm; do
  [ -x "$out/control/$script" ] || fail "bramblies-server has no executable $script"
done

lint=$(lintian --no-tag-display-limit "$game" "$server" 2>&1)
if grep -q '^E:' <<<"$lint"; then fail "lintian errors:"; grep '^E:' <<<"$lint"; fi
grep -q '^W:' <<<"$lint" && { echo "lintian warnings (not fatal):"; grep '^W:' <<<"$lint"; }

# Install, upgrade and purge the server in an overlay of this system's root (nothing written
# to the real one). A stand-in systemctl records what the scripts ask of a running systemd.
if [ "$(id -u)" != 0 ] || ! unshare --mount true 2>/dev/null; then
  echo "SKIP removal: needs root and mount namespaces"
else
  mkdir -p "$out/overlay/"{upper,work,root}
  cp "$server" "$out/overlay/upper/server.deb"
  cat >"$out/overlay/upper/removal.sh" <<'SCRIPT'
set -e
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
dpkg -i /server.deb >/dev/null
find /etc/systemd -name 'bramblies-host*' >/enabled-on-install
systemctl enable bramblies-host.service bramblies-host@7773.service 2>/dev/null
# From here on as if systemd ran the machine, with no policy-rc.d holding services back.
mkdir -p /run/systemd/system
rm -f /usr/sbin/policy-rc.d
printf '#!/bin/sh\necho "$*" >>/systemctl.log\n' >/usr/local/sbin/systemctl
chmod +x /usr/local/sbin/systemctl
dpkg -i /server.deb >/dev/null
dpkg -P bramblies-server >/dev/null
find /etc/systemd /usr/games /usr/lib/systemd -name 'bramblies-host*' >/left-after-purge
SCRIPT
  root=$out/overlay/root up=$out/overlay/upper
  unshare --mount --fork sh -c "mount -t overlay overlay -o \
    lowerdir=/,upperdir=$up,workdir=$out/overlay/work $root && chroot $root sh /removal.sh" \
    >"$out/removal.log" 2>&1 || fail "install, upgrade or purge failed: $(cat "$out/removal.log")"
  [ -s "$up/enabled-on-install" ] && fail "installing enabled $(cat "$up/enabled-on-install")"
  log=$(cat "$up/systemctl.log" 2>/dev/null)
  grep -qx 'try-restart bramblies-host.service bramblies-host@\*.service' <<<"$log" ||
    fail "an upgrade did not restart the running tables: $log"
  grep -qx 'stop bramblies-host.service bramblies-host@\*.service' <<<"$log" ||
    fail "removing did not stop the tables: $log"
  [ -s "$up/left-after-purge" ] && fail "the purge left $(cat "$up/left-after-purge")"
fi
[ $failed = 0 ] && echo "Debian packages: all checks passed"
exit $failed
