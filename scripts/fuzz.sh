#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: fuzzes the open command for SECONDS (600 when left out), in
# FUZZ_JOBS processes (1 when not set); an input running over FUZZ_TIMEOUT seconds (1 when
# not set) counts as a hang. FUZZ_TARGET=decode fuzzes only the steps that read the bytes
# (no pictures, no reports), about three times as many inputs a second.
# Builds the libFuzzer target with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, writes the seed recordings and runs from them,
# from tests/data/ and from the corpus that earlier runs grew in build-fuzz/corpus/. An
# input that crashes, leaks, hangs, allocates over 64 MB at once or lets the process grow
# past 2 GB stops the run and is left in build-fuzz/artifacts/; make it a small file under
# tests/data/, which the tests replay. The run's log is build-fuzz/TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
jobs="${FUZZ_JOBS:-1}"
case "${FUZZ_TARGET:-open}" in
  open | decode) target="zurval-fuzz-${FUZZ_TARGET:-open}" ;;
  *) echo "fuzz: FUZZ_TARGET is open or decode" >&2; exit 2 ;;
esac
scripts/install-deps.sh fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZURVAL_FUZZ=ON -DZURVAL_TESTS=OFF -DZURVAL_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "$target" zurval-fuzz-seeds >/dev/null
build-fuzz/fuzz/zurval-fuzz-seeds build-fuzz/seeds
mkdir -p build-fuzz/corpus build-fuzz/artifacts

options=(-max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048 -malloc_limit_mb=64
  -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/)
[ "$jobs" -gt 1 ] && options+=(-fork="$jobs")
corpora=(build-fuzz/corpus build-fuzz/seeds)
[ -d tests/data ] && corpora+=(tests/data)
log=build-fuzz/$target.log
start=$(date +%s)
status=0
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  "build-fuzz/fuzz/$target" "${options[@]}" "${corpora[@]}" >"$log" 2>&1 || status=$?
elapsed=$(($(date +%s) - start))

# "#N ..." lines count the executions so far, in one process and in several alike.
runs=$(grep -o '^#[0-9][0-9]*' "$log" | tail -n 1 | tr -d '#')
coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
if grep -q 'run interrupted' "$log"; then
  echo "fuzz: interrupted after ${runs:-0} executions in $elapsed s, $coverage, nothing found" >&2
  exit "$status"
fi
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log" >&2
  echo "fuzz: stopped after ${runs:-0} executions in $elapsed s; the input is in build-fuzz/artifacts/" >&2
  exit "$status"
fi
echo "fuzz: ${runs:-0} executions in $elapsed s ($((${runs:-0} / (elapsed > 0 ? elapsed : 1))) per second), $coverage, $jobs process(es) of $target"
