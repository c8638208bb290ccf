#!/usr/bin/env bash
# Builds a Release tree and runs the benchmarks headless; extra arguments go to the
# benchmark binary (e.g. --benchmark_filter=Send).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)" --target quorvel_bench
xvfb-run -a build/bench/bench/quorvel_bench "$@"
