#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each for N seconds (default 20) on its corpus in fuzz/corpus/<target>/, so that a
# reader that crashes on the kept inputs, or on what the fuzzer finds from them in that
# time, fails the run:
#   scripts/fuzz_smoke.sh [SECONDS] [BUILD-DIR]
# New inputs the fuzzer finds go to a scratch folder, not into the kept corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=${2:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DQW_BUILD_FUZZ=ON -DQW_SANITIZE=ON \
  -DQW_BUILD_GUI=OFF -DQW_BUILD_TESTS=OFF -DQW_BUILD_BENCH=OFF -DQW_BUILD_DATA=OFF >/dev/null
targets=()
for source in "$root"/fuzz/*_fuzz.cpp; do
  targets+=("$(basename "$source" .cpp)")
done
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
  corpus="$root/fuzz/corpus/$target"
  found="$scratch/$target"
  mkdir -p "$found"
  args=("-max_total_time=$seconds" "-artifact_prefix=$scratch/$target-" "-print_final_stats=1")
  [[ -d "$corpus" ]] || corpus=""
  echo "== $target ($seconds s)"
  if ! "$build/bin/$target" "${args[@]}" "$found" ${corpus:+"$corpus"} 2>"$scratch/$target.log"; then
    failed+=("$target")
    tail -n 40 "$scratch/$target.log"
    cp "$scratch/$target"-* "$root/" 2>/dev/null || true
  fi
  grep -E "stat::number_of_executed_units" "$scratch/$target.log" || true
done
if ((${#failed[@]})); then
  echo "Fuzz targets that failed: ${failed[*]} (their crashing inputs are copied to $root)"
  exit 1
fi
echo "All ${#targets[@]} fuzz targets ran $seconds s without a finding."
