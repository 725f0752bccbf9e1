#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: in one build under AddressSanitizer
# and UndefinedBehaviorSanitizer (build-asan/), the archive's tests also on a throwaway
# PostgreSQL server (TLS on its TCP listener); fuzzes each reader for a few seconds; runs the
# fleet summary under ThreadSanitizer. Every phase prints how long it took: a clean clone takes
# about eleven minutes on two cores, the packages installed. scripts/build.sh makes the
# optimised build the program runs from and the benchmarks are measured in; CI does not build
# it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# One job more than cores: a compiler or a test waiting on the disk or on a child process
# leaves its core to the next.
jobs=$(($(nproc) + 1))

# phase NAME COMMAND...: runs the command and tells its time, and the processor time it
# took, which another load on the machine does not inflate as much.
phase() {
  local TIMEFORMAT="ci: $1 took %0R s (processor %0U s + system %0S s)"
  shift
  time "$@"
}

# Unoptimised: it builds in half the time of an optimised build, and the sanitizers find
# what an optimised build would only hide. Line tables are all a sanitizer's report needs of
# the debugging information (-g1): the build takes a third less time. binutils' gold links a
# test program in a quarter of the time of the default linker.
build() {
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold -DZURVAL_SANITIZE=ON -DZURVAL_BENCH=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
}
phase "sanitizer build" build

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp"
# Every test of the build, then the archive's on a PostgreSQL server too.
tests() {
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
  scripts/with-postgres.sh build-asan/tests/zurval_archive_tests --gtest_brief=1 \
    --gtest_filter='*/PostgreSQL:Tls.*'
}
phase "sanitizer tests" tests

# Each reader's own fuzz target for 3 seconds (scripts/fuzz.sh runs them for longer).
FUZZ_TARGET=fast phase "fuzz" scripts/fuzz.sh 3
# The fleet summary's threads under ThreadSanitizer.
phase "thread sanitizer" scripts/tsan.sh
