#!/usr/bin/env bash
# scripts/tsan.sh: builds the fleet summary, which reads a folder on every core, and its tests
# under ThreadSanitizer in build-tsan/ and runs them; a data race fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZURVAL_TSAN=ON -DZURVAL_BENCH=OFF \
  >/dev/null
cmake --build build-tsan -j"$(nproc)" --target zurval_export_tests >/dev/null
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp" \
  QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 build-tsan/tests/zurval_export_tests --gtest_brief=1
