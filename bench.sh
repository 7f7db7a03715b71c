#!/usr/bin/env bash
# Builds Release and runs the benchmarks; each prints one ratio line.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}" libbenchmark-dev fd-find
configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DQUEXA_TESTS=OFF -DQUEXA_BENCH=ON
for bench in "$QUEXA_ROOT"/build/bench/tests/bench/bench_*; do
    [ -x "$bench" ] || continue
    say "Running $(basename "$bench")"
    "$bench" --benchmark_min_time=0.2
done
