#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a while.
# Usage: ./fuzz.sh [SECONDS_PER_TARGET] [TARGET...]   (default 300 seconds, every target)
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

seconds=${1:-300}
shift || true
ensure_packages "${QUEXA_PACKAGES[@]}" clang libclang-rt-14-dev
configure_and_build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DQUEXA_TESTS=OFF -DQUEXA_FUZZ=ON
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in "$QUEXA_ROOT"/build/fuzz/tests/fuzz/fuzz_*; do targets+=("$(basename "$f" | sed 's/^fuzz_//')"); done
fi
for t in "${targets[@]}"; do
    corpus="$QUEXA_ROOT/build/fuzz/corpus/$t"
    mkdir -p "$corpus"
    say "Fuzzing $t for ${seconds}s (seeds: tests/fuzz/corpus/$t)"
    "$QUEXA_ROOT/build/fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$QUEXA_ROOT/build/fuzz/crash-$t-" "$corpus" "$QUEXA_ROOT/tests/fuzz/corpus/$t"
done
say "No findings"
