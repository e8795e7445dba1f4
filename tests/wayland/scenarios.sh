#!/usr/bin/env bash
# Plays scenario files with the scenario runner as a Wayland client of a
# real compositor, which shows, activates and paints the windows in its own
# time: every scenario must hold there as it does on the offscreen platform.
# Usage: scenarios.sh RUNNER APP-FOLDER SCENARIO...
set -u
here=$(dirname "$0")
[ "${1:-}" = --inside ] || exec "$here/with-weston.sh" "$0" --inside "$@"
shift
runner=$1
app=$2
shift 2
[ $# -gt 0 ] || { echo "FAILED: no scenario given"; exit 1; }
failed=0
for scenario in "$@"; do
    if ! output=$(timeout 120 "$runner" --app-dir "$app" "$scenario" 2>&1); then
        echo "FAILED under Wayland: $(basename "$scenario")"
        echo "$output" | tail -n 5
        failed=$((failed + 1))
    fi
done
echo "$(($# - failed)) of $# scenarios held under Wayland"
[ "$failed" -eq 0 ]
