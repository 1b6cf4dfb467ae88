#!/usr/bin/env bash
# Sets up a fresh machine, builds Quaywise and runs the whole test suite: once in a
# normal build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

"$root/scripts/build.sh" build
ctest --test-dir "$root/build" --output-on-failure --parallel "$jobs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The sanitizer build copies the normal build's data rather than building it again; line
# tables (-g1) are all its reports need.
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DQW_SANITIZE=ON -DQW_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQW_DATA_FROM="$root/build"
ctest --test-dir "$root/build-asan" --output-on-failure --parallel "$jobs"
# Every fuzz target for 20 seconds on the inputs kept in fuzz/corpus/ (a clang build of the
# engine and the file readers alone, in build-fuzz/).
"$root/scripts/fuzz_smoke.sh" 20
