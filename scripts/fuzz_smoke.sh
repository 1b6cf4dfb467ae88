#!/usr/bin/env bash
# Runs each libFuzzer target for N seconds (default 20) on its corpus in
# fuzz/corpus/<target>/, so that a reader that crashes on the kept inputs, or on what the
# fuzzer finds from them in that time, fails the run:
#   scripts/fuzz_smoke.sh [SECONDS] [BUILD-DIR]
# BUILD-DIR (default build-fuzz) is a clang build configured with QW_BUILD_FUZZ=ON; a
# directory not configured yet is configured for the fuzz targets alone (clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, unoptimized with line tables: quick to
# build, and every report names its lines). The targets run side by side, one per
# processor. New inputs the fuzzer finds go to a scratch folder, not into the kept corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=${2:-$root/build-fuzz}

if ! grep -qs '^QW_BUILD_FUZZ:BOOL=ON' "$build/CMakeCache.txt"; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQW_BUILD_FUZZ=ON -DQW_SANITIZE=ON \
    -DQW_BUILD_GUI=OFF -DQW_BUILD_TESTS=OFF -DQW_BUILD_BENCH=OFF -DQW_BUILD_DATA=OFF \
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 >/dev/null
fi
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs one target; its log and, on a finding, its crashing input stay in the scratch folder.
run_target() {
  local target=$1 corpus="$root/fuzz/corpus/$1" found="$scratch/$1"
  mkdir -p "$found"
  [[ -d "$corpus" ]] || corpus=""
  if "$build/bin/$target" "-max_total_time=$seconds" "-artifact_prefix=$scratch/$target-" -print_final_stats=1 \
       "$found" ${corpus:+"$corpus"} 2>"$scratch/$target.log"; then
    touch "$scratch/$target.passed"
  fi
}

running=0
for target in "${targets[@]}"; do
  if ((running >= $(nproc))); then
    wait -n || true
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
wait || true

failed=()
for target in "${targets[@]}"; do
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$scratch/$target.log" | grep -Eo '[0-9]+$' || echo "?")
  if [[ -e "$scratch/$target.passed" ]]; then
    echo "== $target: $runs runs in $seconds s"
  else
    failed+=("$target")
    echo "== $target FAILED"
    tail -n 40 "$scratch/$target.log"
    cp "$scratch/$target"-* "$root/" 2>/dev/null || true
  fi
done
if ((${#failed[@]})); then
  echo "Fuzz targets that failed: ${failed[*]} (their crashing inputs are copied to $root)"
  exit 1
fi
echo "All ${#targets[@]} fuzz targets ran $seconds s without a finding."
