#!/usr/bin/env bash
# Builds the Debian package zurval_<version>_amd64.deb in the project folder and checks it:
# the program must carry Debian's hardening, and lintian must find no error and no warning.
# Its dependencies are computed from the libraries the program links.
# ZURVAL_MAINTAINER="Name <address>" names the maintainer, kept in build-package/ for later
# runs (packaging/CMakeLists.txt has the default).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package

# Debian's build flags: the program reads files from anywhere, so its libc calls are
# fortified, its stack is protected and its relocations are read-only and bound at start-up.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
maintainer=()
if [ -n "${ZURVAL_MAINTAINER:-}" ]; then maintainer=(-DZURVAL_MAINTAINER="$ZURVAL_MAINTAINER"); fi
# The program is stripped as Debian strips programs (packaging/strip).
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DZURVAL_TESTS=OFF -DZURVAL_BENCH=OFF -DCMAKE_CXX_FLAGS="$cxxflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_STRIP="$PWD/packaging/strip" \
      "${maintainer[@]}" >/dev/null
cmake --build build-package -j"$(nproc)"
rm -f build-package/zurval_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb="$(basename build-package/zurval_*.deb)"
mv "build-package/$deb" .

# The program as the package holds it.
program="$(mktemp)"
trap 'rm -f "$program"' EXIT
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/zurval >"$program"
# Control-flow protection needs every linked object built for it, Debian 12's C runtime
# included; Debian 12's flags do not ask for it.
hardening-check --nocfprotection "$program"
lintian --fail-on error,warning --info --display-info "$deb"
echo "$deb"
