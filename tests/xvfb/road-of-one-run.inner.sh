#!/usr/bin/env bash
# The part of road-of-one-run.sh that runs inside the X server.
set -u
program=$1
fail() { echo "FAILED: $*"; kill "$pid" 2>/dev/null; exit 1; }
# Waits for a window whose title contains the text; prints its id.
window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click_at() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
# Presses Enter in a box and waits until the box is gone, so the next
# search cannot find it again.
enter_in() {
    xdotool windowfocus --sync "$1" 2>/dev/null
    xdotool key Return
    for _ in $(seq 50); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "a box stayed after Enter"
}

"$program" &
pid=$!
main=$(window "ver.1.1") || true
[ -n "$main" ] || fail "the main window did not appear"
sleep 0.5

# 中学３年英文法, then the first book of the list.
click_at "$main" 60 109
sleep 0.3
click_at "$main" 300 206
[ -n "$(window '01_present_perfect.txt')" ] || fail "the book did not open"

# キャンセル asks; Enter answers はい and the run is abandoned.
click_at "$main" 300 399
box=$(window "確認")
[ -n "$box" ] || fail "the cancel question did not appear"
enter_in "$box"

# 終了 asks; Enter answers はい; the farewell is acknowledged with Enter.
click_at "$main" 60 369
box=$(window "確認")
[ -n "$box" ] || fail "the exit question did not appear"
enter_in "$box"
farewell=$(timeout 10 xdotool search --sync --onlyvisible --name "ぴよらん　ぽこぺ ver.1.1" 2>/dev/null | grep -v "^$main$" | head -n 1)
[ -n "$farewell" ] || fail "the farewell did not appear"
enter_in "$farewell"

for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program exited with $status"
echo "1 passed, 0 failed"
