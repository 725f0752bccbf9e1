#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer, the archive's tests in each also on a
# throwaway PostgreSQL server (TLS on its TCP listener); runs the benchmarks once; fuzzes each
# reader for a few seconds; runs the fleet summary under ThreadSanitizer. Every phase prints how long it took: a clean
# clone takes about ten minutes on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

# phase NAME COMMAND...: runs the command and tells its time.
phase() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  echo "ci: $name took $((SECONDS - start)) s"
}

# tests BUILD: every test of the build, then the archive's on a PostgreSQL server too.
tests() {
  ctest --test-dir "$1" --output-on-failure -j"$jobs"
  scripts/with-postgres.sh "$1/tests/zurval_archive_tests" --gtest_brief=1 \
    --gtest_filter='*/PostgreSQL:Tls.*'
}

phase "normal build" scripts/build.sh
phase "normal tests" tests build
# The benchmarks must still run; their numbers are read by people, not by the tests. The
# archive's run at their small sizes only.
bench() {
  build/bench/zurval-bench --benchmark_min_time=0.01 >/dev/null
  build/bench/zurval-bench-charts --benchmark_min_time=0.01 >/dev/null
  build/bench/zurval-bench-archive --benchmark_min_time=0.01 \
    --benchmark_filter='ArchiveAdd/1/|ArchiveAdd/100/|Cranes/20/' >/dev/null
}
phase "benchmarks" bench

# No benchmarks: the sanitizer build only has to run the tests.
asan_build() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZURVAL_SANITIZE=ON -DZURVAL_BENCH=OFF \
    >/dev/null
  cmake --build build-asan -j"$jobs"
}
phase "sanitizer build" asan_build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  phase "sanitizer tests" tests build-asan

# Each reader's own fuzz target for 7 seconds (scripts/fuzz.sh runs them for longer).
FUZZ_TARGET=fast phase "fuzz" scripts/fuzz.sh 7
# The fleet summary's threads under ThreadSanitizer.
phase "thread sanitizer" scripts/tsan.sh
