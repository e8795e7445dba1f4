#!/usr/bin/env bash
# Runs a command inside a new X server (Xvfb) of the given size with a
# window manager (openbox) running, as on a learner's desktop, and exits
# with the command's status.
# Usage: with-openbox.sh WIDTHxHEIGHT COMMAND [ARG]...
set -u
if [ "${1:-}" = --inside ]; then
    shift
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    openbox --sm-disable >"$log" 2>&1 &
    wm=$!
    for _ in $(seq 200); do
        wmctrl -m >/dev/null 2>&1 && break
        kill -0 "$wm" 2>/dev/null || break
        sleep 0.1
    done
    # A test that ran without the window manager would prove nothing.
    if ! wmctrl -m >/dev/null 2>&1; then
        echo "FAILED: openbox did not take the screen"
        cat "$log"
        kill "$wm" 2>/dev/null
        exit 1
    fi
    . "$(dirname "$0")/../support/beside.sh"
    run_beside openbox "$wm" "$log" "$@"
fi
for needed in xvfb-run xdotool openbox wmctrl; do
    command -v "$needed" >/dev/null || { echo "FAILED: $needed is missing (./build.sh test installs it)"; exit 1; }
done
size=$1
shift
# Each test starts its search for a free display at a number of its own:
# two servers started at once from the same number can take the same one.
# -noreset: an X server that resets when its last client leaves refuses
# the next one that comes in the meantime (the window manager, the program).
exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-noreset -screen 0 ${size}x24" "$0" --inside "$@"
