#!/usr/bin/env bash
# Configures and builds into build/ (or build-<name> for REEF_SANITIZE builds).
# Usage: scripts/build.sh [sanitizers], e.g. scripts/build.sh address,undefined
# The build log goes to standard error; the folder name to standard output.
set -euo pipefail
cd "$(dirname "$0")/.."
sanitize="${1:-}"
dir=build
[ -n "$sanitize" ] && dir="build-${sanitize//,/-}"
# Sanitizer builds are for the tests only: no benchmarks there.
benchmarks=ON
[ -n "$sanitize" ] && benchmarks=OFF
cmake -S . -B "$dir" -DREEF_SANITIZE="$sanitize" -DREEF_BENCHMARKS="$benchmarks" >&2
cmake --build "$dir" -j "$(nproc)" >&2
echo "$dir"
