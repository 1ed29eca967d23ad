#!/usr/bin/env bash
# Set up, build and start the designer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSTAGORA_TESTS=OFF -DSTAGORA_BENCH=OFF
cmake --build build/release -j"$(nproc)"
exec ./build/release/program/trov
