#!/usr/bin/env bash
# Installs what is missing, builds Quexa (Release) and starts it. Arguments go to quexa-cli.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}"
configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUEXA_TESTS=OFF
if [ $# -eq 0 ]; then
    set -- --help
fi
say "Running quexa-cli $*"
exec "$QUEXA_ROOT/build/release/bin/quexa-cli" "$@"
