#!/usr/bin/env bash
# deb_root_test.sh: builds the Release package, installs it with apt into a fresh Debian 12 root
# made by debootstrap from the mirror apt uses here, runs both programs there and removes the
# package again. Needs root and the network; ./test.sh runs it with QUEXA_DEB_ROOT_TEST=1.
set -euo pipefail
source "$(dirname "$0")/../../tools/common.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "debootstrap and chroot need root"

ensure_packages "${QUEXA_PACKAGES[@]}" "${QUEXA_DESKTOP_PACKAGES[@]}" debootstrap
configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUEXA_TESTS=OFF

work=$(mktemp -d)
root=$work/root
mounted=()
cleanup() {
    local point
    for point in "${mounted[@]}"; do umount -l "$point" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

say "Making the package"
(cd "$QUEXA_ROOT/build/release" && cpack --config CPackConfig.cmake -B "$work/deb" >/dev/null)
debs=("$work"/deb/quexa_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no .deb"

# The Debian mirror apt uses here, else the main one.
mirror=$(sed -n 's/^URIs: *\(http[^ ]*debian\)\/*$/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
    head -n 1)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $2 ~ /debian\/?$/ {print $2; exit}' \
    /etc/apt/sources.list 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}
say "Making a Debian 12 root from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; fail "debootstrap failed"; }
for point in proc sys dev; do
    mount --bind "/$point" "$root/$point"
    mounted=("$root/$point" "${mounted[@]}")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "${debs[0]}" "$root/tmp/quexa.deb"

in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

say "Installing the package with its dependencies"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    /tmp/quexa.deb >"$work/install.log" 2>&1 || { tail -n 30 "$work/install.log" >&2; fail "apt could not install it"; }

say "Running the installed programs"
[ "$(in_root quexa-cli categories | head -n 1)" = Global ] || fail "quexa-cli found no categories"
in_root env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=/root timeout 60 quexa --quit ||
    fail "quexa did not start and close"
[ -d "$root/root/.local/share/Morvane/Quexa/Data/Internet" ] || fail "quexa wrote no user data"
in_root man -w quexa-cli >/dev/null 2>&1 || [ -f "$root/usr/share/man/man1/quexa-cli.1.gz" ] ||
    fail "no manual page"

say "Removing the package"
in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq quexa >"$work/purge.log" 2>&1 ||
    { tail -n 30 "$work/purge.log" >&2; fail "apt could not remove it"; }
left=$(ls -d "$root/usr/bin/quexa" "$root/usr/bin/quexa-cli" "$root/usr/share/quexa" \
    "$root/usr/share/applications/com.morvane.Quexa.desktop" 2>/dev/null || true)
[ -z "$left" ] || fail "removing the package left: $left"
say "The package installs, runs and is removed cleanly in a fresh Debian 12 root"
