#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer, the archive's tests in each also on a
# throwaway PostgreSQL server; then fuzzes the open command for a minute.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

scripts/build.sh
ctest --test-dir build --output-on-failure -j"$jobs"
scripts/with-postgres.sh build/tests/zurval_archive_tests --gtest_brief=1 --gtest_filter='*/PostgreSQL'
# The benchmarks must still run; their numbers are read by people, not by the tests. The
# archive's run at their small sizes only.
build/bench/zurval-bench --benchmark_min_time=0.01 >/dev/null
build/bench/zurval-bench-charts --benchmark_min_time=0.01 >/dev/null
build/bench/zurval-bench-archive --benchmark_min_time=0.01 \
  --benchmark_filter='Add/100/|Cranes/20/' >/dev/null

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZURVAL_SANITIZE=ON -DZURVAL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp"
ctest --test-dir build-asan --output-on-failure -j"$jobs"
scripts/with-postgres.sh build-asan/tests/zurval_archive_tests --gtest_brief=1 --gtest_filter='*/PostgreSQL'
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS

# A minute of fuzzing the open command (scripts/fuzz.sh runs it for longer).
scripts/fuzz.sh 60
