#!/usr/bin/env bash
# The part of screen-reader.sh that runs inside the X server and the bus:
# a window manager, then the reading itself.
set -u
program=$1
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null' EXIT
# The window manager owns the screen before the program maps its window.
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
/usr/bin/python3 "$(dirname "$0")/screen-reader.py" "$program"
