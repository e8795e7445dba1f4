#!/usr/bin/env bash
# Sets up a Debian 12 machine for piyoran, builds it, and then either starts
# the program or runs the whole test suite headless.
#   ./build.sh run    install what building and running the program needs,
#                     build the program alone, start it
#   ./build.sh test   install the test tools too, build everything, run every
#                     test; then build again with AddressSanitizer and
#                     UndefinedBehaviorSanitizer (build-asan/) and run every
#                     test there too; then install the web tools, build the
#                     browser edition (build-web/) and run its tests in
#                     headless Chromium. Every suite runs even when one
#                     before it failed; the exit status is 0 only when all
#                     three passed.
#   ./build.sh web    install the web tools, build the browser edition with
#                     Emscripten (build-web/), lay out its site in
#                     build-web/site/ and serve it on http://127.0.0.1:8000/
#   ./build.sh site   the same without serving (for publishing, the benchmark)
set -euo pipefail
cd "$(dirname "$0")"

# What building and running the program needs (the README lists the same).
program_packages=(
    cmake make g++
    qt6-base-dev libgl-dev libjpeg62-turbo-dev libexpat1-dev libfontconfig-dev
    fonts-ipafont-gothic fonts-liberation
)

# What the tests need besides: GoogleTest, an X server with a window
# manager and their tools, a Wayland compositor and Qt's Wayland platform,
# a session bus and AT-SPI for the screen reader test, the packaging
# checks, the read-only trace.
test_packages=(
    libgtest-dev xvfb xauth xdotool x11-utils openbox wmctrl
    weston qt6-wayland
    dbus-daemon at-spi2-core python3-pyatspi
    dpkg-dev lintian desktop-file-utils appstream
    strace
)

# What the browser edition needs: Emscripten, the fonts the site ships (cut
# down by fontTools), Pillow for the icons, Chromium for its tests, and Node
# (emcc runs on it; it drives the tests).
web_packages=(
    cmake make emscripten nodejs python3 python3-fonttools python3-brotli python3-pil
    fonts-ipafont-gothic fonts-liberation chromium
)

# configure FOLDER [CMAKE OPTION...]
configure() {
    local folder=$1
    shift
    cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

# configure_for_the_program: build/ for the program and its tools alone. A
# new one leaves the tests out (GoogleTest is one of the test tools); one
# already set up keeps its tests, which would otherwise stop being built.
configure_for_the_program() {
    if [ -f build/CMakeCache.txt ]; then
        configure build
    else
        configure build -DBUILD_TESTING=OFF
    fi
}

# run_suite FOLDER: every test of that build, headless; CTest's output is
# kept in FOLDER/ctest.log for the summary at the end.
run_suite() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" 2>&1 | tee ctest.log)
}

# build_web: the browser edition and its site, in build-web/.
build_web() {
    # Debian's emcc loads its JavaScript modules (acorn ...) from Debian's
    # Node folder, which another Node on the PATH does not search.
    export NODE_PATH=/usr/share/nodejs
    # Chained: run as an if's condition, a failing step would not stop it.
    emcmake cmake -S . -B build-web -DPIYORAN_BACKEND=web -DCMAKE_BUILD_TYPE=Release &&
        cmake --build build-web -j"$(nproc)" &&
        tools/web/make-site.sh build-web build-web/site
}

# The web tests, after the desktop build (its test books and book checker);
# their output is kept in build-web/web-tests.log for the summary.
run_web_suite() {
    (
        failed=0
        tests/web/check-lists.py build-web/site || failed=1
        tests/web/check-page.sh build-web/site || failed=1
        tests/web/check-program.sh build-web/site build || failed=1
        tests/web/check-scenarios.sh build-web build || failed=1
        tests/web/check-same-text.sh build-web build || failed=1
        tests/web/check-pictures.sh build-web build || failed=1
        exit "$failed"
    ) 2>&1 | tee build-web/web-tests.log
}

# The web suite's summary: its checks counted, the failed and skipped named.
web_summary() {
    local log=build-web/web-tests.log
    [ -f "$log" ] || { echo "not run: the browser edition did not build"; return; }
    echo "$(grep -c '^PASS ' "$log") checks passed, $(grep -c '^FAIL ' "$log") failed, $(grep -c '^SKIP ' "$log") skipped"
    grep -E '^(FAIL|SKIP) ' "$log" || true
}

# CTest's summary of a suite: from its "% tests passed" line to the end.
summary() {
    sed -n '/^[0-9]*% tests passed/,$p' "$1/ctest.log"
}

case "${1:-}" in
run)
    tools/install-missing.sh "${program_packages[@]}"
    configure_for_the_program
    cmake --build build -j"$(nproc)" --target piyoran
    exec build/piyoran
    ;;
test)
    tools/install-missing.sh "${program_packages[@]}" "${test_packages[@]}"
    configure build -DBUILD_TESTING=ON
    cmake --build build -j"$(nproc)"
    plain=0
    run_suite build || plain=$?

    # The same sources checked by the sanitizers, in a build folder of its own.
    configure build-asan -DBUILD_TESTING=ON -DPIYORAN_SANITIZE=ON
    cmake --build build-asan -j"$(nproc)"
    # Leaks inside the libraries under Qt are suppressed by name (see the
    # file); every other leak, and every sanitizer finding, fails its test.
    checked=0
    UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$PWD/tests/hardening/lsan.supp:print_suppressions=0" \
        run_suite build-asan || checked=$?

    # The browser edition, its page and the scenarios in headless Chromium.
    web=0
    tools/install-missing.sh "${web_packages[@]}"
    rm -f build-web/web-tests.log
    if build_web; then
        run_web_suite || web=$?
    else
        web=1
    fi

    echo
    echo "== The tests, built plainly (build/):"
    summary build
    echo "== The tests, built with the sanitizers (build-asan/):"
    summary build-asan
    echo "== The tests of the browser edition (build-web/), in headless Chromium:"
    web_summary
    if [ "$plain" -ne 0 ] || [ "$checked" -ne 0 ] || [ "$web" -ne 0 ]; then
        exit 1
    fi
    ;;
web|site)
    tools/install-missing.sh "${web_packages[@]}"
    # The book checker looks at the site's books, where the desktop build
    # can make it (it needs the program's packages).
    if dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q 'install ok installed'; then
        configure_for_the_program
        cmake --build build -j"$(nproc)" --target piyoran-check
    fi
    build_web
    [ "$1" = web ] || exit 0
    echo "Serving the site on http://127.0.0.1:8000/ (Ctrl+C stops)"
    exec /usr/bin/python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/site
    ;;
*)
    echo "usage: $0 run|test|web|site" >&2
    exit 2
    ;;
esac
