#!/usr/bin/env bash
# scripts/tsan.sh [TESTS...]: builds test programs under ThreadSanitizer in build-tsan/ and
# runs them; a data race fails the run. Without TESTS, the fleet summary's, which reads a
# folder on every core (what CI runs); `scripts/tsan.sh zurval_export_tests
# zurval_archive_tests` adds the archive, which decodes on every core while it writes.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
tests=("$@")
[ ${#tests[@]} -gt 0 ] || tests=(zurval_export_tests)
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold \
  -DZURVAL_TSAN=ON -DZURVAL_BENCH=OFF >/dev/null
cmake --build build-tsan -j"$(nproc)" --target "${tests[@]}" >/dev/null
for t in "${tests[@]}"; do
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" \
    QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 "build-tsan/tests/$t" --gtest_brief=1
done
