#!/usr/bin/env bash
# Drives the real program under a real X server with a window manager, as a
# learner would, answering the real modal boxes from the keyboard.
#  1. The bundled library: choose a category, open its first book, cancel
#     the run, then leave through "終了"; the program must end cleanly.
#  2. A book of two questions, played with F1 to F5 until a pass ends with
#     a miss: the replay offer is answered はい, the replay is cancelled, and the
#     program is left through "終了" again.
# Usage: road-of-one-run.sh PIYORAN TEST-APP-FOLDER
set -u
here=$(dirname "$0")
[ "${1:-}" = --inside ] || exec "$here/with-openbox.sh" 1024x768 "$0" --inside "$@"
shift
program=$1
test_app=$2
. "$here/x-session.sh"

# 終了 asks; Enter answers はい; the farewell is acknowledged with Enter.
leave() {
    click_at "$main" 60 369
    box=$(window "確認")
    [ -n "$box" ] || fail "the exit question did not appear"
    key_closes "$box" Return
    farewell=$(other_window "ぴよらん　ぽこぺ ver.1.1" "$main")
    [ -n "$farewell" ] || fail "the farewell did not appear"
    key_closes "$farewell" Return
    ends_cleanly
}

# ---- 1. The bundled library
start "$program"
main=$(window "ver.1.1")
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
key_closes "$box" Return
leave

# ---- 2. Two questions, a miss, the replay
app=$(mktemp -d)
trap 'rm -rf "$app"' EXIT
cp "$program" "$app/"
mkdir "$app/003"
head -n 18 "$test_app/003/three_questions.txt" > "$app/003/two_questions.txt"
start "$app/$(basename "$program")"
main=$(window "ver.1.1")
[ -n "$main" ] || fail "the main window did not appear the second time"
sleep 0.5
open_book() {
    click_at "$main" 60 109
    sleep 0.3
    click_at "$main" 300 206
    [ -n "$(window 'two_questions.txt')" ] || fail "the book of two questions did not open"
}
open_book
# F1 to F5 pick the slots in turn until the pass ends. Should both first
# picks be right, the pass ends without a miss: acknowledge it, open the
# book again and play again.
offer=
for _ in $(seq 12); do
    box=
    for _ in $(seq 3); do
        for key in F1 F2 F3 F4 F5; do
            xdotool windowactivate --sync "$main" 2>/dev/null
            xdotool key "$key"
            box=$(new_window_within 1 "$main")
            [ -n "$box" ] && break 2
        done
    done
    [ -n "$box" ] || fail "no pick ended the pass"
    case "$(xdotool getwindowname "$box")" in
    *確認*)
        offer=$box
        break
        ;;
    esac
    key_closes "$box" Return
    open_book
done
[ -n "$offer" ] || fail "no pass ended with a miss"
key_closes "$offer" Return
# The replay runs; キャンセル abandons it.
sleep 0.3
click_at "$main" 300 399
box=$(window "確認")
[ -n "$box" ] || fail "the cancel question did not appear in the replay"
key_closes "$box" Return
leave
echo "2 passed, 0 failed"
