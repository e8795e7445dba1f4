# Shared by the tests that drive the real program under X: sourced, not run.
# The program starts without a locale, as on minimal installs and in
# containers; the test's own X tools read window titles in UTF-8.

export LC_ALL=C.UTF-8
pid=

fail() {
    echo "FAILED: $*"
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    exit 1
}

# Starts PROGRAM (with any environment assignments before it) in the
# background; its process id is in $pid.
start() {
    env -u LC_ALL -u LANG -u LANGUAGE -u LC_CTYPE -u LC_MESSAGES "$@" &
    pid=$!
}

# Waits up to 20 s for a visible window whose title contains the text,
# other than the one given; prints its id. A search that meets a window
# being destroyed (the splash) fails, so it is simply asked again.
other_window() {
    local found
    for _ in $(seq 200); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -v "^${2:-}$" | head -n 1)
        [ -n "$found" ] && { echo "$found"; return; }
        sleep 0.1
    done
}

window() {
    other_window "$1" ""
}

# A new window appears within a second or two; prints its id, or nothing.
new_window_within() {
    local seconds=$1 main=$2 found
    for _ in $(seq $((seconds * 10))); do
        found=$(xdotool search --onlyvisible --name "." 2>/dev/null | grep -v "^$main$" | head -n 1)
        [ -n "$found" ] && { echo "$found"; return; }
        sleep 0.1
    done
}

click_at() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Presses a key in a window and waits until the window is gone, so that
# the next search cannot find it again.
key_closes() {
    xdotool windowactivate --sync "$1" 2>/dev/null
    xdotool key "$2"
    gone "$1" || fail "a box stayed after $2"
}

gone() {
    for _ in $(seq 100); do
        xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Waits for the program to end and checks that it ended with status 0.
ends_cleanly() {
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "the program did not end"
    wait "$pid"
    local status=$?
    pid=
    [ "$status" -eq 0 ] || fail "the program exited with $status"
}
