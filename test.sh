#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test, the fuzz corpora replays and the layering check among them. Then builds the
# tests of the worker threads with ThreadSanitizer and runs them again (QUEXA_TSAN=0 skips it).
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

ensure_packages "${QUEXA_PACKAGES[@]}"
ensure_packages "${QUEXA_E2E_PACKAGES[@]}"
ensure_packages "${QUEXA_DESKTOP_PACKAGES[@]}"
configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DQUEXA_SANITIZE=ON
say "Running the tests"
(cd "$QUEXA_ROOT/build/test" && ctest --output-on-failure -j"$(nproc)" --timeout 900 "$@")
# The package in a fresh Debian 12 root: needs the network and minutes.
if [ "${QUEXA_DEB_ROOT_TEST:-0}" = 1 ]; then
    "$QUEXA_ROOT/tests/install/deb_root_test.sh"
fi

if [ "${QUEXA_TSAN:-1}" = 0 ]; then
    exit 0
fi
tsan_tests=(integration_tasks unit_files unit_ui)
configure_and_build_targets build/tsan "${tsan_tests[*]}" -DCMAKE_BUILD_TYPE=Debug -DQUEXA_TSAN=ON
# Any report fails its test. The demo farm's HTTP server is an uninstrumented Debian library.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$QUEXA_ROOT/tools/tsan.supp"
runner=()
probe="$QUEXA_ROOT/build/tsan/tests/unit/ui/unit_ui"
if ! "$probe" --gtest_list_tests >/dev/null 2>&1; then
    # This runtime can't map its shadow memory with the kernel's address randomisation.
    if setarch "$(uname -m)" -R "$probe" --gtest_list_tests >/dev/null 2>&1; then
        say "ThreadSanitizer needs address randomisation off: running under setarch -R"
        runner=(setarch "$(uname -m)" -R)
    else
        say "ThreadSanitizer can't start here (try: sysctl vm.mmap_rnd_bits=28)"
        exit 1
    fi
fi
say "Running ${tsan_tests[*]} with ThreadSanitizer"
regex="^($(IFS='|'; echo "${tsan_tests[*]}"))\$"
(cd "$QUEXA_ROOT/build/tsan" &&
    "${runner[@]}" ctest --output-on-failure -j"$(nproc)" --timeout 900 -R "$regex")
