#!/usr/bin/env bash
# The part of screen-reader.sh that runs inside the X server and the bus:
# a window manager, then the reading itself.
set -u
program=$1
log=$(mktemp)
for _ in $(seq 200); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
done
xprop -root >/dev/null 2>&1 || { echo "FAILED: the X server on $DISPLAY does not answer"; exit 1; }
openbox >"$log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; rm -f "$log"' EXIT
# The window manager owns the screen before the program maps its window.
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" \
    || { echo "FAILED: openbox did not start"; cat "$log"; exit 1; }
/usr/bin/python3 "$(dirname "$0")/screen-reader.py" "$program"
status=$?
kill -0 "$wm" 2>/dev/null || { echo "FAILED: openbox ended during the test"; cat "$log"; exit 1; }
exit "$status"
