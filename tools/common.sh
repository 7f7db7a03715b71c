# Shared by run.sh, test.sh, bench.sh and fuzz.sh: package installation and configuration.
# shellcheck shell=bash

QUEXA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Debian packages every build needs.
QUEXA_PACKAGES=(g++ cmake ninja-build pkg-config git
    libssl-dev libcurl4-openssl-dev libcli11-dev nlohmann-json3-dev libcpp-httplib-dev zlib1g-dev ca-certificates
    qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev tinyproxy xvfb xauth)

# The end-to-end test drives the window through the accessibility bus on a private X display
# (test.sh installs these).
QUEXA_E2E_PACKAGES=(at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus xdotool xvfb xauth)

# The manual pages are made from the programs' --help at build time.
QUEXA_PACKAGES+=(help2man)
# The tests of the installation: the desktop's validators, its file-type and launcher tools, and
# dpkg-shlibdeps for the Debian package's dependencies (test.sh installs these).
QUEXA_DESKTOP_PACKAGES=(desktop-file-utils shared-mime-info appstream xdg-utils libfile-mimeinfo-perl
    dpkg-dev file)

say() { printf '==> %s\n' "$*" >&2; }

# Installs the named Debian packages that are missing, with apt-get only.
ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        say "Debian packages present"
        return 0
    fi
    say "Installing Debian packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# configure_and_build BUILD_DIR CMAKE_ARGS...
configure_and_build() {
    configure_and_build_targets "$1" "" "${@:2}"
}

# configure_and_build_targets BUILD_DIR "TARGET..." CMAKE_ARGS...: an empty list builds all.
configure_and_build_targets() {
    local dir=$1 targets=()
    read -r -a targets <<<"$2"
    shift 2
    say "Configuring $dir ($*)"
    cmake -S "$QUEXA_ROOT" -B "$QUEXA_ROOT/$dir" -G Ninja "$@" >/dev/null
    say "Building $dir${targets[*]:+ (${targets[*]})}"
    cmake --build "$QUEXA_ROOT/$dir" -- -j"$(nproc)" "${targets[@]}"
}
