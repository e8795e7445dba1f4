#!/usr/bin/env bash
# Drives the real program under a real X server: choose a category, open
# its first book, cancel the run through the real modal box, then leave
# through "終了", answering both boxes with the keyboard. The program must
# exit cleanly. Usage: road-of-one-run.sh PIYORAN
set -u
program=$1

if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIPPED: xvfb-run and xdotool are needed for this test"
    exit 77
fi

exec xvfb-run -a -s "-screen 0 1024x768x24" "$(dirname "$0")/road-of-one-run.inner.sh" "$program"
