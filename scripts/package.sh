#!/usr/bin/env bash
# Builds the Debian package zurval_<version>_amd64.deb in the project folder. Its
# dependencies are computed from the libraries the program links.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DZURVAL_TESTS=OFF -DZURVAL_BENCH=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)
mv build-package/zurval_*.deb .
ls zurval_*.deb
