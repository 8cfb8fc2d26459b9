#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the built tree (CPack installs into its own staging folder;
# nothing is compiled again), then checks its name, its contents, its control fields and
# lintian's verdict.
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
deb=$out/bramblies_${version}_$arch.deb
[ -f "$deb" ] || { ls "$out"; fail "no $deb"; exit 1; }

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/games/bramblies ./usr/games/bramblies-lobby ./usr/bin/lzrw1 \
  "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
  "./usr/share/icons/hicolor/256x256/apps/$id.png" ./usr/share/man/man6/bramblies.6.gz \
  ./usr/share/doc/bramblies/copyright ./usr/lib/systemd/system/bramblies-host.service \
  ./usr/lib/bramblies/bramblies_net.so; do
  grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
grep -q 'build/\|_test\|bench_' <<<"$contents" && fail "the package holds build or test files"
dpkg-deb -x "$deb" "$out/root"
grep -q '^ExecStart=/usr/games/bramblies ' "$out/root/usr/lib/systemd/system/bramblies-host.service" ||
  fail "the packaged service does not run /usr/games/bramblies"

depends=$(dpkg-deb -f "$deb" Depends)
# libcrypto is opened at run time, out of dpkg-shlibdeps' sight: its package is named by hand.
crypto=$(dpkg-query -S '*/libcrypto.so.3' 2>/dev/null | sed -n '1s/[:,].*//p')
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6multimedia6 ${crypto:-libssl3}; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section is not games"

lint=$(lintian --no-tag-display-limit "$deb" 2>&1)
if grep -q '^E:' <<<"$lint"; then fail "lintian errors:"; grep '^E:' <<<"$lint"; fi
grep -q '^W:' <<<"$lint" && { echo "lintian warnings (not fatal):"; grep '^W:' <<<"$lint"; }
[ $failed = 0 ] && echo "Debian package: all checks passed"
exit $failed
