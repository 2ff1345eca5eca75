#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer, under the address and
# undefined behaviour sanitizers, into build-fuzz/, and fuzzes each target for
# a fixed time.
# Usage: scripts/fuzz.sh [seconds per target] [target ...]
#        scripts/fuzz.sh --total seconds [target ...]   that time shared by the targets
#        (default: 60 seconds per target, every target)
# Each target starts from its corpus in the tree (fuzz/corpus/<target>) and
# keeps the inputs that reach new code in build-fuzz/corpus/<target>. A crash,
# a leak, a hang of 10 s or an allocation of more than 512 MB ends the target
# with its input in build-fuzz/crashes/<target>/: minimise it with
#   build-fuzz/fuzz/fuzz_<target> -minimize_crash=1 -runs=10000 <input>
# and add the result to fuzz/corpus/<target>, where every build's tests read
# it. The script prints runs, coverage and crashes per target and fails when
# any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/compiler-cache.sh

seconds=60 total=""
if [ "${1:-}" = --total ]; then
  total="${2:?--total needs a number of seconds}"
  shift 2
elif [ $# -gt 0 ]; then
  seconds=$1
  shift
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(bmp image_ini settings islands hiscore replay wav mp3)
# A total is shared evenly, at least a second each.
[ -n "$total" ] && seconds=$(( total >= ${#targets[@]} ? total / ${#targets[@]} : 1 ))

if ! command -v clang++ >/dev/null; then
  echo "fuzzing needs clang (and libclang-rt-dev for libFuzzer)" >&2
  exit 1
fi

# Absolute: each target works in a scratch folder of its own.
dir="$PWD/build-fuzz"
generator=()
[ -f "$dir/CMakeCache.txt" ] || generator=(-G Ninja)
CC=clang CXX=clang++ cmake -S . -B "$dir" "${generator[@]}" -DREEF_FUZZ=ON -DBUILD_TESTING=OFF -DREEF_BENCHMARKS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build "$dir" -j "$(nproc)" --target "${targets[@]/#/fuzz_}" >&2

# Inputs as large as the seeds that come from the game's own files.
max_len() {
  case "$1" in
    bmp) echo 8192 ;;
    islands) echo 1600 ;;
    *) echo 4096 ;;
  esac
}

failed=0
summary="target       runs        coverage  features  corpus  crashes"
for target in "${targets[@]}"; do
  corpus="$dir/corpus/$target"
  crashes="$dir/crashes/$target"
  log="$dir/fuzz-$target.log"
  mkdir -p "$corpus" "$crashes"
  echo "fuzzing $target for $seconds s" >&2
  status=0
  ASAN_OPTIONS=detect_leaks=1 "$dir/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 -max_len="$(max_len "$target")" \
    -artifact_prefix="$crashes/" "$corpus" "$PWD/fuzz/corpus/$target" 2>"$log" || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
  kept=$(find "$corpus" -type f | wc -l)
  found=$(find "$crashes" -type f | wc -l)
  summary+=$(printf '\n%-12s %-11s %-9s %-9s %-7s %s' "$target" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$kept" "$found")
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    failed=1
    echo "$target: crashed; see $log and $crashes" >&2
    tail -n 40 "$log" >&2
  fi
done
echo "$summary"
exit "$failed"
