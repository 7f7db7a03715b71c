#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test, the fuzz corpora replays and the layering check among them.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}"
configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DQUEXA_SANITIZE=ON
say "Running the tests"
cd "$QUEXA_ROOT/build/test"
ctest --output-on-failure -j"$(nproc)" --timeout 900 "$@"
