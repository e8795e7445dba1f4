#!/usr/bin/env bash
# Builds the benchmark in Release and runs all of it:
#   1. piyoran-bench (Qt's offscreen platform): start-up, opening a book,
#      picks, backgrounds, JPEG decoding, peak memory of a whole run;
#   2. piyoran-bench-x (under Xvfb): start-up to the main window mapped, for
#      piyoran and for Debian's kwordquiz in the same run, and their VmHWM;
#      then the whole run's peak memory again, on the X server;
#   3. bench/web.sh: the browser edition in headless Chromium (start-up,
#      a right pick) and the size of its site.
# It installs the Debian packages that are missing (with sudo unless root).
#
#   ./bench/run.sh [--quick] [Google Benchmark flags for piyoran-bench]
#
# The build goes to build-bench/ (BENCH_BUILD_DIR to change it). --quick
# takes fewer start-ups under X (for a first look). The exit status is 0
# when every target was met.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BENCH_BUILD_DIR:-build-bench}
x_rounds=15
if [ "${1:-}" = "--quick" ]; then
    x_rounds=5
    shift
fi

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev libjpeg62-turbo-dev libexpat1-dev libfontconfig-dev
    fonts-ipafont-gothic fonts-liberation
    libbenchmark-dev libx11-dev xvfb xauth
    kwordquiz
    # A desktop's font set, not only the two families the program uses:
    # fontconfig's work at start-up grows with the fonts installed.
    fonts-noto-core fonts-noto-cjk fonts-dejavu fonts-droid-fallback
)

install_missing() {
    tools/install-missing.sh "${packages[@]}"
}

install_missing
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$build_dir" -j"$(nproc)" \
    --target piyoran piyoran_data piyoran-bench piyoran-bench-probe piyoran-bench-x

runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime

echo
echo "== Machine"
echo "cores: $(nproc)"
echo "CPU: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
echo "Qt: $(dpkg-query -W -f='${Version}' libqt6core6 2>/dev/null || echo unknown)"
echo "kwordquiz: $(dpkg-query -W -f='${Version}' kwordquiz 2>/dev/null || echo unknown)"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

status=0
echo
echo "== Offscreen (QT_QPA_PLATFORM=offscreen)"
"$build_dir/piyoran-bench" "$@" || status=1

echo
echo "== Under Xvfb: start-up to the main window mapped, no window manager, no session bus"
# Both programs run with the same environment; kwordquiz keeps its settings
# in a home folder of its own, made afresh, so no earlier session counts.
home=$runtime/home
mkdir -p "$home"
HOME=$home xvfb-run -a -s "-noreset -screen 0 1280x1024x24 -nolisten tcp" \
    "$build_dir/piyoran-bench-x" --repeat "$x_rounds" --warm-up 2 --settle 1000 \
    "piyoran=$(realpath "$build_dir/piyoran")" "kwordquiz=$(command -v kwordquiz)" \
    | tee "$runtime/x.txt" || status=1
QT_QPA_PLATFORM=xcb HOME=$home xvfb-run -a -s "-noreset -screen 0 1280x1024x24 -nolisten tcp" \
    "$build_dir/piyoran-bench" --whole-run-only || status=1
ratio=$(sed -n 's|^piyoran / kwordquiz = \([0-9.]*\).*|\1|p' "$runtime/x.txt")
if [ -z "$ratio" ] || ! awk -v r="$ratio" 'BEGIN { exit !(r <= 0.25) }'; then
    echo "MISSED: piyoran must map its main window in at most a quarter of kwordquiz's time"
    status=1
else
    echo "met: piyoran maps its main window in at most a quarter of kwordquiz's time"
fi

echo
bench/web.sh || status=1
exit $status
