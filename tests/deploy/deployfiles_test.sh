#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The deployment files: the Fleet and FleetAutoscaler pass yamllint and say what the operator's
# guide says; the Containerfile starts from Debian bookworm-slim, runs as an unprivileged
# numeric user that the Fleet names too, installs no display library and keeps no package
# cache. (No container engine is assumed, so the image is not built.)
set -u
src=${BRAMBLIES_SOURCE_DIR:?}/deploy
failed=0
fail() { echo "FAIL: $*"; failed=1; }
if command -v yamllint >/dev/null; then
  out=$(yamllint -s -c "$src/.yamllint" "$src"/*.yaml 2>&1) || fail "yamllint: $out"
else
  echo "SKIP yamllint: yamllint is not installed"
fi
grep -q '^kind: Fleet$' "$src/fleet.yaml" || fail "no Fleet"
grep -q 'containerPort: 7772' "$src/fleet.yaml" || fail "the Fleet's tables are not on 7772"
grep -q -- '- --agones' "$src/fleet.yaml" || fail "the Fleet's hosts do not use --agones"
grep -q '^kind: FleetAutoscaler$' "$src/fleetautoscaler.yaml" || fail "no FleetAutoscaler"
grep -q 'type: Buffer' "$src/fleetautoscaler.yaml" || fail "the autoscaler has no buffer policy"
c=$src/Containerfile
grep -q '^FROM debian:bookworm-slim$' "$c" || fail "the image is not bookworm-slim"
# The kubelet verifies runAsNonRoot only for a numeric user, and the Fleet must name the same.
user=$(sed -n 's/^USER //p' "$c")
[[ $user =~ ^([1-9][0-9]*):([1-9][0-9]*)$ ]] || fail "the image's user '$user' is not numeric UID:GID"
uid=${BASH_REMATCH[1]:-} gid=${BASH_REMATCH[2]:-}
grep -q -- "useradd .*--uid $uid --gid $gid .*bramblies" "$c" || fail "the image has no user $user"
for key in "runAsNonRoot: true" "runAsUser: $uid" "runAsGroup: $gid"; do
  grep -qx " *$key" "$src/fleet.yaml" || fail "the Fleet's securityContext lacks $key"
done
grep -Eq 'libqt6(gui|widgets|multimedia)|libx11|libgl' "$c" && fail "the image installs display libraries"
grep -q 'bramblies-host' "$c" || fail "the image does not run bramblies-host"
# Every layer that installs packages leaves no package cache or lists behind.
installs=$(grep -c 'apt-get install' "$c")
[ "$(grep -c 'apt-get clean' "$c")" = "$installs" ] &&
  [ "$(grep -c 'rm -rf /var/lib/apt/lists/\*' "$c")" = "$installs" ] ||
  fail "a layer that installs packages keeps apt's cache"
grep -qx '/build\*/' "$src/../.containerignore" 2>/dev/null ||
  fail ".containerignore does not keep the build folders out of the image's context"
[ $failed = 0 ] && echo "deployment files: all checks passed"
exit $failed
