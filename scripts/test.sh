#!/usr/bin/env bash
# Builds Tarvex and runs every test: a normal build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Fails when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 4)

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure --no-tests=error
}

echo "== Build and tests =="
run_suite build
echo "== Build and tests with sanitizers =="
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_suite build-asan -DTARVEX_SANITIZE=ON -DTARVEX_BENCH=OFF
echo "All tests passed."
