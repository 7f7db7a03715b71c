#!/usr/bin/env bash
# package_test.sh BUILD_DIR: makes the Debian package with cpack and checks its control data
# (the Debian packages it depends on) and its files.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack --config CPackConfig.cmake -B "$work" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/quexa_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no .deb"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = quexa ] || fail "wrong package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb -f "$deb" Depends)
# The package names alone, one a line.
names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libcurl4 \
    libssl3; do
    grep -Fxq "$package" <<<"$names" || fail "Depends lacks $package: $depends"
done
grep -q network-manager <<<"$(dpkg-deb -f "$deb" Suggests)" || fail "nmcli is not suggested"

files=$(dpkg-deb -c "$deb" | awk '{print $1 " " $NF}')
for file in usr/bin/quexa usr/bin/quexa-cli; do
    grep -Eq "^-rwxr-xr-x \./$file$" <<<"$files" || fail "$file is not an executable in the package"
done
for file in usr/share/quexa/Categories/config.qcf usr/share/quexa/Categories/html.htm \
    usr/share/quexa/tips.txt usr/share/applications/com.morvane.Quexa.desktop \
    usr/share/metainfo/com.morvane.Quexa.metainfo.xml \
    usr/share/mime/packages/com.morvane.Quexa.xml \
    usr/share/icons/hicolor/scalable/apps/com.morvane.Quexa.svg \
    usr/share/man/man1/quexa-cli.1.gz; do
    grep -q " \./$file$" <<<"$files" || fail "$file is not in the package"
done
outside=$(awk '{print $2}' <<<"$files" | grep -Ev '^\./(usr(/.*)?)?/?$' || true)
[ -z "$outside" ] || fail "the package puts files outside /usr: $outside"
echo "$(basename "$deb"): Depends: $depends"
