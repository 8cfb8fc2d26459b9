#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two package builds of one commit, in two folders, give the same bytes: ./package.sh twice,
# then both packages compared byte for byte; a difference is shown file by file. The compile
# cache serves the second build's objects (a compiler that wrote different objects from the
# same input would slip through: run with CCACHE_DISABLE=1 for that); what runs for real each
# time is moc, rcc, linking, stripping, gzip and cpack. Takes minutes: labelled slow.
set -u
src=${BRAMBLIES_SOURCE_DIR:?} bin=${BRAMBLIES_BIN_DIR:?}
for tool in dpkg-deb git; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done
git -C "$src" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: not a git checkout"; exit 0; }
# Beside the build folder; the compile cache takes paths below the folder holding the sources
# and the builds as relative ones, so that the second build finds the first one's objects.
work=${bin%/}-reproducible
common=$(dirname "$work")
while [ "${src#"$common"/}" = "$src" ] && [ "$common" != / ]; do common=$(dirname "$common"); done
export CCACHE_BASEDIR=$common
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work" "$work"-? "$work".?.log' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

for run in a b; do
  BRAMBLIES_PACKAGE_DIR=$work-$run "$src/package.sh" >"$work.$run.log" 2>&1 ||
    { cat "$work.$run.log"; fail "package.sh ($run)"; exit 1; }
  mkdir "$work/$run"
  mv "$work-$run"/*.deb "$work/$run/"
  rm -rf "$work-$run"
done
for deb in "$work"/a/*.deb; do
  name=$(basename "$deb")
  other=$work/b/$name
  [ -f "$other" ] || { fail "the second build made no $name"; continue; }
  cmp -s "$deb" "$other" && continue
  fail "$name differs between the two builds"
  for run in a b; do
    mkdir -p "$work/x/$run"
    dpkg-deb -R "$work/$run/$name" "$work/x/$run/$name"
  done
  diff -rq "$work/x/a/$name" "$work/x/b/$name"
  diff <(dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time) \
    <(dpkg-deb --fsys-tarfile "$other" | tar -tv --full-time)
done
[ $failed = 0 ] && echo "reproducible: $(ls "$work"/a/*.deb | wc -l) packages built twice, byte-identical"
exit $failed
