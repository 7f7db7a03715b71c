#!/usr/bin/env bash
# Installs what is missing, builds Quexa (Release) and starts its window. "./run.sh cli ARGS"
# runs quexa-cli ARGS; "./run.sh demo [KEYWORDS...]" searches the demo engine farm with
# quexa-cli, "./run.sh demo window [KEYWORDS...]" in the window; "./run.sh screenshots DIR"
# renders the window parts into PNG files.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}"
configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUEXA_TESTS=OFF
bin="$QUEXA_ROOT/build/release/bin"

demo_home="$QUEXA_ROOT/build/release/demo-home"
demo_cli=("$bin/quexa-cli" --home "$demo_home" --settings "$demo_home/settings.conf")

# Starts the demo engine farm on loopback for the demo home; it ends with this script.
start_demo_farm() {
    local home=$demo_home address="" tries
    # Global: the exit trap reads it after this function has returned.
    farm_pid=""
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
    # Locations that never answer give up after the shortest verify time-out; unreachable
    # items stay listed so that every status shows.
    "${demo_cli[@]}" config set UserData CTimeout 15 >/dev/null
    "${demo_cli[@]}" config set CheckOpt DErr 0 >/dev/null
}

# ./run.sh demo [KEYWORDS...]: a search through the demo engine farm on loopback, verified and
# saved, in a home folder of its own (build/release/demo-home).
run_demo() {
    start_demo_farm
    [ $# -gt 0 ] || set -- solar kite
    say "Running quexa-cli search --category Demo --verify $*"
    local status=0
    "${demo_cli[@]}" search --category Demo --verify --save "$demo_home/demo.qzr" "$@" || status=$?
    [ "$status" -ne 0 ] || say "Saved $demo_home/demo.qzr"
    exit "$status"
}

# ./run.sh demo window [KEYWORDS...]: the same search in the window, as the search wizard would
# leave it: the Demo category, the key words and the automatic verification with its countdown.
run_demo_window() {
    start_demo_farm
    [ $# -gt 0 ] || set -- solar kite
    "${demo_cli[@]}" config set UserData LastCategory Demo >/dev/null
    "${demo_cli[@]}" config set UserData Key.Internet "$*" >/dev/null
    "${demo_cli[@]}" config set 'System\Setting' AutoVerify 1 >/dev/null
    say "Starting quexa with the demo search for: $*"
    local status=0
    "$bin/quexa" --home "$demo_home" --settings "$demo_home/settings.conf" --search internet ||
        status=$?
    exit "$status"
}

# ./run.sh screenshots DIR: the window parts rendered under Xvfb into PNG files in DIR.
run_screenshots() {
    [ $# -eq 1 ] || { say "Usage: ./run.sh screenshots DIR"; exit 2; }
    # A notification area for the tray icon's shot.
    ensure_packages trayer
    say "Rendering the window parts into $1"
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/quexa-screenshots" "$1"
}

# ./run.sh package: the Debian package of the Release build, in build/release.
run_package() {
    # dpkg-shlibdeps names the packages of the libraries the programs link.
    ensure_packages dpkg-dev
    (cd "$QUEXA_ROOT/build/release" && cpack --config CPackConfig.cmake >/dev/null)
    say "Made $(ls "$QUEXA_ROOT"/build/release/quexa_*.deb)"
    exit 0
}

if [ "${1:-}" = package ]; then
    run_package
fi
if [ "${1:-}" = screenshots ]; then
    shift
    run_screenshots "$@"
fi
if [ "${1:-}" = demo ]; then
    shift
    if [ "${1:-}" = window ]; then
        shift
        run_demo_window "$@"
    fi
    run_demo "$@"
fi
if [ "${1:-}" = cli ]; then
    shift
    [ $# -gt 0 ] || set -- --help
    say "Running quexa-cli $*"
    exec "$bin/quexa-cli" "$@"
fi
say "Starting quexa $*"
exec "$bin/quexa" "$@"
