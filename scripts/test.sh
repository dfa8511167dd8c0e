#!/usr/bin/env bash
# Builds Tarvex and runs every test: a normal build, then a build with
# AddressSanitizer and UndefinedBehaviorSanitizer, then the terrain tests
# (the parallel reachability passes on small scenes) built with clang and
# ThreadSanitizer. Fails when any test fails or a data race is found.
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
echo "== Terrain tests with ThreadSanitizer =="
# -O1 -g1: quicker to build, and still lines in the reports.
CC=clang CXX=clang++ cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" \
  -DTARVEX_TSAN=ON -DTARVEX_BENCH=OFF >/dev/null
cmake --build build-tsan -j "$jobs" --target test_terrain
# LLVM's OpenMP runtime is not instrumented: its own synchronisation is left
# to it; any report fails the run.
TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1" build-tsan/tests/test_terrain
echo "All tests passed."
