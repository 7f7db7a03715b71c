#!/usr/bin/env bash
# Installs what is missing, builds Quexa (Release) and starts it. Arguments go to quexa-cli;
# "./run.sh demo [KEYWORDS...]" searches the demo engine farm instead; "./run.sh screenshots DIR"
# renders the window parts into PNG files.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}"
configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUEXA_TESTS=OFF
bin="$QUEXA_ROOT/build/release/bin"

# ./run.sh demo [KEYWORDS...]: a search through the demo engine farm on loopback, verified and
# saved, in a home folder of its own (build/release/demo-home).
run_demo() {
    local home="$QUEXA_ROOT/build/release/demo-home" farm_pid address="" tries
    mkdir -p "$home"
    "$bin/quexa-demo-farm" --home "$home" >"$home/farm.address" &
    farm_pid=$!
    trap 'kill "$farm_pid" 2>/dev/null; wait "$farm_pid" 2>/dev/null || true' EXIT
    for tries in $(seq 100); do
        address=$(head -n 1 "$home/farm.address" 2>/dev/null || true)
        [ -n "$address" ] && break
        kill -0 "$farm_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$address" ] || { say "The demo farm did not start"; exit 1; }
    say "Demo farm at $address"
    local cli=("$bin/quexa-cli" --home "$home" --settings "$home/settings.conf")
    # Locations that never answer give up after the shortest verify time-out; unreachable
    # items stay listed so that every status shows.
    "${cli[@]}" config set UserData CTimeout 15
    "${cli[@]}" config set CheckOpt DErr 0
    [ $# -gt 0 ] || set -- solar kite
    say "Running quexa-cli search --category Demo --verify $*"
    local status=0
    "${cli[@]}" search --category Demo --verify --save "$home/demo.qzr" "$@" || status=$?
    [ "$status" -ne 0 ] || say "Saved $home/demo.qzr"
    exit "$status"
}

# ./run.sh screenshots DIR: the window parts rendered under Xvfb into PNG files in DIR.
run_screenshots() {
    [ $# -eq 1 ] || { say "Usage: ./run.sh screenshots DIR"; exit 2; }
    say "Rendering the window parts into $1"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/quexa-screenshots" "$1"
}

if [ "${1:-}" = screenshots ]; then
    shift
    run_screenshots "$@"
fi
if [ "${1:-}" = demo ]; then
    shift
    run_demo "$@"
fi
if [ $# -eq 0 ]; then
    set -- --help
fi
say "Running quexa-cli $*"
exec "$bin/quexa-cli" "$@"
