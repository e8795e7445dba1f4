#!/usr/bin/env bash
# Sets up a Debian 12 machine for piyoran, builds it, and then either starts
# the program or runs the whole test suite headless.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake make g++ pkg-config
    qt6-base-dev libgl-dev libjpeg62-turbo-dev
    fonts-ipafont-gothic fonts-liberation
    libgtest-dev xvfb xauth xdotool
    x11-utils dpkg-dev lintian desktop-file-utils appstream
)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build
    exec build/piyoran
    ;;
test)
    install_missing
    build
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
