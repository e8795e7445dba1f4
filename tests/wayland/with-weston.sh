#!/usr/bin/env bash
# Runs a command as a client of a Wayland compositor (weston, drawing into
# a new Xvfb server, which lends it a keyboard and a pointer, so that it
# activates windows as a desktop does) and exits with the command's status.
# The command runs with Qt's Wayland platform and no X display: a program
# that could not speak Wayland fails rather than falls back to X.
# Usage: with-weston.sh COMMAND [ARG]...
set -u
if [ "${1:-}" = --inside ]; then
    shift
    runtime=$(mktemp -d)
    log=$(mktemp)
    trap 'rm -rf "$runtime" "$log"' EXIT
    export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-piyoran
    weston --backend=x11-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" \
        --width=1024 --height=768 --idle-time=0 >"$log" 2>&1 &
    compositor=$!
    for _ in $(seq 200); do
        [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
        kill -0 "$compositor" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -S "$runtime/$WAYLAND_DISPLAY" ]; then
        echo "FAILED: weston did not start"
        cat "$log"
        kill "$compositor" 2>/dev/null
        exit 1
    fi
    . "$(dirname "$0")/../support/beside.sh"
    run_beside weston "$compositor" "$log" env -u DISPLAY QT_QPA_PLATFORM=wayland "$@"
fi
for needed in xvfb-run weston; do
    command -v "$needed" >/dev/null || { echo "FAILED: $needed is missing (./build.sh test installs it)"; exit 1; }
done
# As in the X tests: a display number of its own, and no server reset.
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 1024x768x24" "$0" --inside "$@"
