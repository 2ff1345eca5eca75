#!/usr/bin/env bash
# Measures the game in a real window under a virtual X display with software
# rendering: the share of one core it takes on the idle screen and on a board
# waiting for a click (10 seconds each), and its private memory.
# Usage: scripts/measure-window.sh [build folder]   (needs xvfb-run)
set -euo pipefail
# Runs itself again inside a virtual display when there is none.
if [ -z "${REEF_MEASURE_DISPLAY:-}" ]; then
    REEF_MEASURE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
cd "$(dirname "$0")/.."
build="$(cd "${1:-build}" && pwd)"
game="$build/game"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
seconds=10
ticks=$(getconf CLK_TCK)

# A recording that starts a game and closes its first panel, then waits.
cat >"$work/board.txt" <<'REPLAY'
5200 move 752 505
5210 press left 752 505
5260 release left 752 505
6500 key Space
REPLAY

# Prints the share of a core the process used over the measuring time.
cpu_share() {
    local pid=$1 before after
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    awk -v d=$((after - before)) -v t="$ticks" -v s="$seconds" 'BEGIN { printf "%.1f %%", 100 * d / t / s }'
}

private_mb() {
    awk '/^Private_Dirty/ { kb += $2 } END { printf "%.1f MB", kb / 1024 }' "/proc/$1/smaps_rollup"
}

measure() {
    local label=$1
    shift
    (cd "$game" && LIBGL_ALWAYS_SOFTWARE=1 SDL_AUDIODRIVER=dummy exec ./reefhoard "$@" >"$work/out.txt" 2>&1) &
    local pid=$!
    sleep 9  # past the splash, into the state to measure
    [ -d "/proc/$pid" ] || { echo "$label: the game ended early:"; cat "$work/out.txt"; return 1; }
    echo "$label: $(cpu_share "$pid") of one core over ${seconds} s, private memory $(private_mb "$pid")"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

measure "idle screen" --seed 1
measure "board waiting for a click" --seed 1 --replay "$work/board.txt"
