#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, if any is missing.
# scripts/install-deps.sh fuzz: also the compiler and runtime of the fuzzer (scripts/fuzz.sh).
# scripts/install-deps.sh coverage: also the coverage report (scripts/coverage.sh).
# scripts/install-deps.sh package: also the checkers of the Debian package (scripts/package.sh).
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-translations-l10n libqcustomplot-dev
  libqt6sql6-sqlite libqt6sql6-psql postgresql openssl libssl-dev libzstd-dev libpq-dev
  libgtest-dev libbenchmark-dev libcsv-dev
  fonts-liberation locales xvfb xauth
  dpkg-dev desktop-file-utils appstream poppler-utils
)
case "${1:-}" in
  # -fsanitize=fuzzer takes libFuzzer from clang's runtime package.
  fuzz) packages+=(clang-14 libclang-rt-14-dev) ;;
  coverage) packages+=(gcovr) ;;
  # hardening-check comes with devscripts.
  package) packages+=(lintian devscripts) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The Russian locale gives the comma decimal separator the pages are checked with.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  as_root sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
