#!/usr/bin/env bash
# Starts the real program again and again on a laptop-sized screen with a
# window manager running: each time the main window must appear, stay up
# for two seconds and end the program cleanly when the window manager asks
# it to close. Once more at twice the scale, where the window is larger
# than the screen: its top-left corner must stay on the screen.
# Usage: launch-under-wm.sh PIYORAN [LAUNCHES]
set -u
here=$(dirname "$0")
[ "${1:-}" = --inside ] || exec "$here/with-openbox.sh" 1366x768 "$0" --inside "$@"
shift
program=$1
launches=${2:-20}
. "$here/x-session.sh"

for i in $(seq "$launches"); do
    start "$program"
    main=$(window "ver.1.1")
    [ -n "$main" ] || fail "launch $i: the main window did not appear"
    sleep 2
    kill -0 "$pid" 2>/dev/null || fail "launch $i: the program ended by itself"
    wmctrl -i -c "$main"
    ends_cleanly
done

start env QT_SCALE_FACTOR=2 "$program"
main=$(window "ver.1.1")
[ -n "$main" ] || fail "at twice the scale: the main window did not appear"
sleep 1
read -r x y < <(xdotool getwindowgeometry "$main" | sed -n 's/ *Position: \(-\?[0-9]*\),\(-\?[0-9]*\).*/\1 \2/p')
[ "${x:--1}" -ge 0 ] && [ "${y:--1}" -ge 0 ] || fail "at twice the scale the window stands at $x,$y, off the screen"
wmctrl -i -c "$main"
ends_cleanly
echo "$((launches + 1)) passed, 0 failed"
