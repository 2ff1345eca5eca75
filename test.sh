#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# With an argument, builds and tests with those sanitizers instead
# (./test.sh address,undefined or ./test.sh thread). REEF_JOBS sets how many
# compiles and tests run at once (default: one per core).
set -euo pipefail
cd "$(dirname "$0")"
# The window tests play in real windows under a virtual display.
scripts/install-deps.sh xvfb xauth xdotool openbox imagemagick
dir=$(scripts/build.sh "${1:-}" | tail -n 1)
cd "$dir"
ctest --output-on-failure -j "${REEF_JOBS:-$(nproc)}"
