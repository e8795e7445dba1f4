# Shared by the scripts that run a test beside a helper process of its
# display (a window manager, a compositor): sourced, not run.

# run_beside NAME PID LOG COMMAND [ARG]...: runs the command, ends the helper
# and exits with the command's status. A helper that ended before the
# command did fails the test, with its log: the test proved nothing.
run_beside() {
    local name=$1 helper=$2 log=$3 status
    shift 3
    "$@"
    status=$?
    if ! kill -0 "$helper" 2>/dev/null; then
        echo "FAILED: $name ended during the test"
        cat "$log"
        exit 1
    fi
    kill "$helper" 2>/dev/null
    wait "$helper" 2>/dev/null
    exit "$status"
}
