#!/usr/bin/env bash
# Sets up a Debian 12 machine for piyoran, builds it, and then either starts
# the program or runs the whole test suite headless.
#   ./build.sh run    install what is missing, build, start the program
#   ./build.sh test   install what is missing, build, run every test; then
#                     build again with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (build-asan/) and run every
#                     test there too
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    cmake make g++ pkg-config
    qt6-base-dev libgl-dev libjpeg62-turbo-dev
    fonts-ipafont-gothic fonts-liberation
    libgtest-dev xvfb xauth xdotool
    x11-utils dpkg-dev lintian desktop-file-utils appstream
    strace
)
# The screen reader test: a window manager, a session bus, AT-SPI for Python.
packages+=(openbox wmctrl dbus-daemon at-spi2-core python3-pyatspi)

install_missing() {
    tools/install-missing.sh "${packages[@]}"
}

build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j"$(nproc)"
}

# The same sources checked by the sanitizers, in a build folder of its own.
build_checked() {
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPIYORAN_SANITIZE=ON
    cmake --build build-asan -j"$(nproc)"
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
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
    build_checked
    cd build-asan
    # Leaks inside the libraries under Qt are suppressed by name (see the
    # file); every other leak, and every sanitizer finding, fails its test.
    QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$PWD/../tests/hardening/lsan.supp:print_suppressions=0" \
        ctest --output-on-failure -j"$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
