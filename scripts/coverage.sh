#!/usr/bin/env bash
# scripts/coverage.sh: the line coverage of the readers in src/core (recorder, frames,
# protection, acquisition, document, export) by the tests. Builds the tests for gcov in
# build-coverage/, runs them all and prints gcovr's table per file and the total;
# build-coverage/coverage.html shows each line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh coverage
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug -DZURVAL_COVERAGE=ON -DZURVAL_BENCH=OFF \
  >/dev/null
cmake --build build-coverage -j"$(nproc)" >/dev/null
find build-coverage -name '*.gcda' -delete
ctest --test-dir build-coverage -j"$(nproc)" >/dev/null
readers='src/core/(recorder|frames|protection|acquisition|document|export)/'
gcovr --root . --filter "$readers" --html-details build-coverage/coverage.html \
  --txt build-coverage/coverage.txt build-coverage
cat build-coverage/coverage.txt
