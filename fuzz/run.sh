#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (fuzz/*.cpp) with clang in build-fuzz/ and runs each one.
#
#   fuzz/run.sh short           about a minute in all (CI); skips cleanly without clang/libFuzzer
#   fuzz/run.sh long SECONDS    SECONDS per target
#   fuzz/run.sh long SECONDS NAME...   only the named targets
#
# The targets in fuzz/qt/ drive the real Qt window and downloader; building them means
# building the whole shell with sanitizers, so they run in long mode, and in short mode only
# with BRAMBLIES_FUZZ_QT=1.
#
# Each target keeps its corpus in build-fuzz/corpus/<target>, started from fuzz/seeds/<target>
# when that exists. A crash stops the script with a non-zero status; the reproducer is left in
# build-fuzz/artifacts/. A target may name its largest useful input in a line
# "// fuzz-max-len: N" (default 4096).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-short}
case "$mode" in
  short) budget=30 ;;                         # seconds of fuzzing shared by all targets
  long) per=${2:?usage: fuzz/run.sh long SECONDS [NAME...]}; shift 2 ;;
  *) echo "usage: fuzz/run.sh short | long SECONDS" >&2; exit 2 ;;
esac

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ is not installed, skipping the fuzz targets."
  exit 0
fi
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
  >"$probe/probe.cpp"
if ! clang++ -fsanitize=fuzzer,address,undefined "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
  echo "fuzz: libFuzzer (clang's runtime) is not installed, skipping the fuzz targets."
  exit 0
fi

shopt -s nullglob
with_qt=OFF
if [ "$mode" = long ] || [ "${BRAMBLIES_FUZZ_QT:-0}" = 1 ]; then with_qt=ON; fi
sources=(fuzz/*.cpp)
[ "$with_qt" = ON ] && sources+=(fuzz/qt/*.cpp)
if [ "$mode" = long ] && [ $# -gt 0 ]; then
  wanted=()
  for src in "${sources[@]}"; do
    for n in "$@"; do [ "$(basename "$src" .cpp)" = "$n" ] && wanted+=("$src"); done
  done
  sources=("${wanted[@]}")
fi
if [ ${#sources[@]} -eq 0 ]; then
  echo "fuzz: no targets."
  exit 0
fi
names=()
for src in "${sources[@]}"; do names+=("$(basename "$src" .cpp)"); done

cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DBRAMBLIES_BUILD_FUZZ=ON \
  -DBRAMBLIES_BUILD_UI="$with_qt" -DBUILD_TESTING=OFF -DBRAMBLIES_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target "${names[@]/#/fuzz_}" >/dev/null

if [ "$mode" = short ]; then
  per=$(( budget / ${#names[@]} ))
  [ "$per" -lt 5 ] && per=5
fi
mkdir -p build-fuzz/artifacts
summary=()
for i in "${!names[@]}"; do
  name=${names[$i]}
  src=${sources[$i]}
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  # A target may state its largest useful input in a "// fuzz-max-len: N" line.
  maxlen=$(sed -n 's|^// fuzz-max-len: *\([0-9]*\).*|\1|p' "$src" | head -n 1)
  # ... and the resident size it may reach, in MB, in a "// fuzz-rss-mb: N" line (default 2048).
  rss=$(sed -n 's|^// fuzz-rss-mb: *\([0-9]*\).*|\1|p' "$src" | head -n 1)
  log=build-fuzz/$name.log
  echo "fuzz: $name for ${per}s"
  if ! "build-fuzz/fuzz/fuzz_$name" -max_total_time="$per" -max_len="${maxlen:-4096}" -rss_limit_mb="${rss:-2048}" \
      -timeout=20 -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/"$name"- \
      "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $name FAILED (log: $log)"
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  summary+=("$name: $runs executions in ${per}s, no failure")
done
printf 'fuzz: %s\n' "${summary[@]}"
