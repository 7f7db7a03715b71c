#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs Quexa into a temporary prefix, then runs the installed
# quexa-cli and quexa as a new user would: they must read the installed data, write only under
# the user's XDG folders, and the desktop must know Quexa's launcher and file types.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
app_id=com.morvane.Quexa
for file in bin/quexa bin/quexa-cli share/quexa/Categories/config.qcf share/quexa/Categories/html.htm \
    share/quexa/tips.txt share/quexa/help/index.html "share/applications/$app_id.desktop" \
    "share/metainfo/$app_id.metainfo.xml" "share/mime/packages/$app_id.xml" \
    "share/icons/hicolor/scalable/apps/$app_id.svg" "share/icons/hicolor/48x48/apps/$app_id.png" \
    share/man/man1/quexa-cli.1.gz share/man/man1/quexa.1.gz; do
    [ -s "$prefix/$file" ] || fail "not installed: $file"
done
ls "$prefix"/share/quexa/Categories/*/*.qzf >/dev/null || fail "no engine files installed"
zcat "$prefix/share/man/man1/quexa-cli.1.gz" | grep -q '^\.SH NAME' || fail "quexa-cli's manual page is empty"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "the launcher is not valid"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    fail "the metainfo file is not valid"

# A new user: nothing of the caller's settings or data.
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export XDG_RUNTIME_DIR=$work/runtime XDG_DATA_DIRS=/usr/share
unset QUEXA_HOME QUEXA_SETTINGS XDG_CURRENT_DESKTOP
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
touch "$work/before"

categories=$("$prefix/bin/quexa-cli" categories)
[ "$(head -n 1 <<<"$categories")" = Global ] || fail "quexa-cli found no installed categories: $categories"
"$prefix/bin/quexa-cli" schemes Global | grep -q "System Scheme" || fail "quexa-cli found no schemes"
result=$work/found.qzr
echo '{"title":"Installed","location":"https://example.org/"}' | "$prefix/bin/quexa-cli" save "$result"
"$prefix/bin/quexa-cli" show "$result" | grep -q "https://example.org/" || fail "quexa-cli can't read its file"

# The window, started and closed at once, from its launcher's command line with a result file.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$app_id.desktop")
[ "$exec_line" = "quexa %f" ] || fail "unexpected launcher command: $exec_line"
PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen timeout 60 ${exec_line/\%f/"$result"} --quit ||
    fail "the installed window did not start and close"
user_data=$XDG_DATA_HOME/Morvane/Quexa
for folder in Data/Internet Data/Intranet Data/MyFav UserData; do
    [ -d "$user_data/$folder" ] || fail "the window did not make $user_data/$folder"
done
settings=$XDG_CONFIG_HOME/Morvane/Quexa.conf
grep -q "AppPath=$prefix/share/quexa" "$settings" || fail "the window did not use the installed data"
# The tip of the day was read from the installed tips.txt.
grep -q '^FilePos=[1-9]' "$settings" || fail "the window read no tip from the installed data"
written=$(find "$prefix" -newer "$work/before")
[ -z "$written" ] || fail "the programs wrote into the installation: $written"

# The desktop's own tools: the types and the application for them, per user.
mkdir -p "$XDG_DATA_HOME/mime/packages" "$XDG_DATA_HOME/applications"
cp "$prefix/share/mime/packages/$app_id.xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime"
cp "$prefix/share/applications/$app_id.desktop" "$XDG_DATA_HOME/applications/"
update-desktop-database "$XDG_DATA_HOME/applications"
cp "$result" "$work/renamed"
: >"$work/links.qzs"
: >"$work/search.brk"
for pair in "$result application/x-quexa-result" "$work/renamed application/x-quexa-result" \
    "$work/links.qzs application/x-quexa-link-list" \
    "$work/search.brk application/x-quexa-interrupted-search"; do
    read -r file expected <<<"$pair"
    type=$(xdg-mime query filetype "$file")
    [ "$type" = "$expected" ] || fail "xdg-mime calls $file $type, not $expected"
    application=$(xdg-mime query default "$expected")
    [ "$application" = "$app_id.desktop" ] || fail "xdg-mime opens $expected with '$application'"
done
echo "installed, started and registered"
