#!/usr/bin/env bash
# Installs what is missing, builds the game and the shelf (not the tests; the
# build log goes to build/build.log), and starts the game in a window.
# Extra arguments go to the game (try --help).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh --play >/dev/null
cd build/game
exec ./reefhoard "$@"
