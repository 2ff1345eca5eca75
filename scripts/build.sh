#!/usr/bin/env bash
# Configures and builds into build/ (or build-<name> for REEF_SANITIZE builds).
# Usage: scripts/build.sh [sanitizers]   everything, e.g. scripts/build.sh address,undefined;
#                                        the build log goes to standard error
#        scripts/build.sh --play         only what ./play.sh starts: the game, the shelf and
#                                        their generated files, with a progress line instead of
#                                        the log, which is kept in build/build.log
# The folder name goes to standard output. REEF_JOBS sets how many compiles
# run at once (default: one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/compiler-cache.sh
jobs=${REEF_JOBS:-$(nproc)}

# Configures the folder $1 with the cache settings that follow; a new folder
# builds with Ninja, one configured before keeps the generator it has.
configure() {
  local dir=$1 generator=()
  shift
  [ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
  cmake -S . -B "$dir" "${generator[@]}" "$@"
}

# Reads the build's output, keeps it in the file $1 and shows how far it got:
# one line rewritten in place on a terminal, else a line at each quarter.
show_progress() {
  local log=$1 line now percent=0 shown=-1
  exec 3>"$log"
  while IFS= read -r line; do
    printf '%s\n' "$line" >&3
    now=$percent
    if [[ $line =~ ^\[\ *([0-9]+)%\] ]]; then           # make: [ 45%]
      now=${BASH_REMATCH[1]}
    elif [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then     # ninja: [12/80]
      now=$(( 100 * BASH_REMATCH[1] / BASH_REMATCH[2] ))
    fi
    [ "$now" -gt "$percent" ] && percent=$now
    if [ -t 2 ]; then
      [ "$percent" -ne "$shown" ] && printf '\rBuilding Reef Hoard: %3d%%' "$percent" >&2
      shown=$percent
    elif [ $(( percent / 25 )) -gt $(( shown / 25 )) ] || [ "$shown" -lt 0 ]; then
      printf 'Building Reef Hoard: %d%%\n' "$percent" >&2
      shown=$percent
    fi
  done
  [ -t 2 ] && printf '\n' >&2
  exec 3>&-
}

if [ "${1:-}" = --play ]; then
  # The same configuration as a full build, so that ./test.sh afterwards
  # builds only what is still missing.
  mkdir -p build
  if ! { configure build -DREEF_SANITIZE= -DREEF_BENCHMARKS=ON &&
         cmake --build build -j "$jobs" --target reef_play
       } 2>&1 | show_progress build/build.log; then
    echo "The build failed; the end of build/build.log:" >&2
    tail -n 20 build/build.log >&2
    exit 1
  fi
  echo build
  exit 0
fi

sanitize="${1:-}"
dir=build
[ -n "$sanitize" ] && dir="build-${sanitize//,/-}"
# Sanitizer builds are for the tests only: no benchmarks there.
benchmarks=ON
[ -n "$sanitize" ] && benchmarks=OFF
configure "$dir" -DREEF_SANITIZE="$sanitize" -DREEF_BENCHMARKS="$benchmarks" >&2
cmake --build "$dir" -j "$jobs" >&2
echo "$dir"
