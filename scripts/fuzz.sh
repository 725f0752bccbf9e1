#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: fuzzes the target FUZZ_TARGET names for SECONDS (600 when left
# out), in FUZZ_JOBS processes (1 when not set); an input running over FUZZ_TIMEOUT seconds
# (1 when not set) counts as a hang; FUZZ_RUNS=N ends a target after N executions, sooner than
# SECONDS if it is quick enough. The targets:
#   open (the default)  the whole open command on a recording: pictures and reports included
#   decode              the open command's steps that read the bytes, no pictures, no reports
#   frames overloads banks parkran protect operator device csv
#                       one reader each, fed only its own bytes: thousands of inputs a second
#   fast                each of those in turn, SECONDS each
# Builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, writes the seeds (build-fuzz/seeds/TARGET) and
# runs from them and from the corpus earlier runs grew in build-fuzz/corpus/TARGET (open and
# decode share theirs and also start from tests/data/). An input that crashes, leaks, hangs,
# breaks a target's property, allocates over 64 MB at once or lets the process grow past
# 2 GB stops the run and is left in build-fuzz/artifacts/; make it a small file under
# tests/data/ or a unit test. Each target's log is build-fuzz/zurval-fuzz-TARGET.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
jobs="${FUZZ_JOBS:-1}"
target="${FUZZ_TARGET:-open}"
scripts/install-deps.sh fuzz

CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold \
  -DZURVAL_FUZZ=ON -DZURVAL_TESTS=OFF -DZURVAL_BENCH=OFF >/dev/null
mapfile -t fast <build-fuzz/fuzz/fast-targets.txt
case "$target" in
  fast) targets=("${fast[@]}") build=zurval-fuzz-fast ;;
  *)
    if [[ ! " open decode ${fast[*]} " =~ " $target " ]]; then
      echo "fuzz: FUZZ_TARGET is one of: open decode ${fast[*]} fast" >&2
      exit 2
    fi
    targets=("$target") build="zurval-fuzz-$target"
    ;;
esac
built=$SECONDS
cmake --build build-fuzz -j"$(nproc)" --target "$build" zurval-fuzz-seeds >/dev/null
echo "fuzz: built $build in $((SECONDS - built)) s"
rm -rf build-fuzz/seeds
stored=(tests/data/*.vrl)
[ -e "${stored[0]}" ] || stored=()
build-fuzz/fuzz/zurval-fuzz-seeds build-fuzz/seeds "${stored[@]}"
mkdir -p build-fuzz/artifacts

# fuzz NAME: one target for $seconds; prints its figures, or the end of its log and the input
# that stopped it.
fuzz() {
  local name=$1 corpus=$1
  [ "$name" = decode ] && corpus=open
  local dirs=("build-fuzz/corpus/$corpus" "build-fuzz/seeds/$corpus")
  [ "$corpus" = open ] && [ -d tests/data ] && dirs+=(tests/data)
  mkdir -p "build-fuzz/corpus/$corpus"
  local options=(-max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048
    -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix="build-fuzz/artifacts/$name-")
  [ "$jobs" -gt 1 ] && options+=(-fork="$jobs")
  [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS")
  # A whole transfer takes a hundred times as long as a short read: of inputs of equal worth
  # the quicker are mutated more.
  [ "$name" = device ] && options+=(-entropic_scale_per_exec_time=1)
  local log="build-fuzz/zurval-fuzz-$name.log" start status=0
  start=$(date +%s)
  # Where a block was allocated is left out of a report (replaying the input shows it): the
  # text-making targets spend a third of their time recording it.
  ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0 UBSAN_OPTIONS=print_stacktrace=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
    "build-fuzz/fuzz/zurval-fuzz-$name" "${options[@]}" "${dirs[@]}" >"$log" 2>&1 || status=$?
  local elapsed=$(($(date +%s) - start))
  # "#N ..." lines count the executions so far, in one process and in several alike.
  local runs coverage
  runs=$(grep -o '^#[0-9][0-9]*' "$log" | tail -n 1 | tr -d '#')
  coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -n 1)
  if grep -q 'run interrupted' "$log"; then
    echo "fuzz: $name interrupted after ${runs:-0} executions in $elapsed s, $coverage, nothing found" >&2
    exit "$status"
  fi
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log" >&2
    echo "fuzz: $name stopped after ${runs:-0} executions in $elapsed s; the input is in build-fuzz/artifacts/" >&2
    exit "$status"
  fi
  echo "fuzz: $name: ${runs:-0} executions in $elapsed s ($((${runs:-0} / (elapsed > 0 ? elapsed : 1))) per second), $coverage, $jobs process(es)"
}

for name in "${targets[@]}"; do
  fuzz "$name"
done
