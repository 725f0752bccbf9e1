#!/usr/bin/env bash
# Installs what is missing, builds, and opens the program on the sample recording.
# Without a display it prints the headless state of that recording instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p bin_prm
sample=bin_prm/sample.vrl
build/tools/zurval-sample/zurval-sample "$sample"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/src/app/zurval "$sample"
fi
echo "No display found (DISPLAY is not set): printing the headless state of $sample instead." >&2
exec build/src/app/zurval --dump-state "$sample"
