#!/usr/bin/env bash
# Plays the scenario files of tests/scenarios/ with the scenario runner built
# for the browser (piyoran-script.js), in headless Chromium, against the test
# books the desktop's scenarios use (laid out by the desktop build with
# mkbook into build/tests/app).
#   tests/web/check-scenarios.sh WEB_BUILD DESKTOP_BUILD
# Scenarios that need what only the desktop has are passed over, each with
# its reason (SKIPPED below).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/../.." && pwd)
web=$1
desktop=$2

# name: why it cannot play in the browser.
declare -A SKIPPED=(
)

room=$(mktemp -d)
trap '[ -n "${KEEP_ROOM:-}" ] || rm -rf "$room"' EXIT
"$here/scenarios/room.sh" "$room" "$web" "$desktop"
mkdir "$room/scenarios"
cp "$project/tests/scenarios/"*.scn "$room/scenarios/"
# The scenario the desktop's build writes (a book of 200 misses).
cp "$desktop/tests/two-hundred-misses.scn" "$room/scenarios/"
/usr/bin/python3 - "$room" "${!SKIPPED[@]}" <<'PY'
import json, os, sys
room, skipped = sys.argv[1], set(sys.argv[2:])
names = sorted(n[:-4] for n in os.listdir(os.path.join(room, 'scenarios')) if n.endswith('.scn'))
json.dump([n for n in names if n not in skipped], open(os.path.join(room, 'scenarios.json'), 'w'))
PY

report=$("$here/run-page.sh" "$room" all.html 1024x768 'waitlong:window.report !== undefined' \
    'print:window.report' 2>&1)
status=$?
echo "$report"
for name in "${!SKIPPED[@]}"; do
    echo "SKIP $name: ${SKIPPED[$name]}"
done
passed=$(grep -c '^PASS ' <<<"$report")
failed=$(grep -c '^FAIL ' <<<"$report")
echo "scenarios in the browser: $passed passed, $failed failed, ${#SKIPPED[@]} skipped"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
