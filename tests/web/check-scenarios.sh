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
cp "$project/web/page/runtime.js" "$project/web/page/style.css" "$room/"
cp "$web/piyoran-script.js" "$web/piyoran-script.wasm" "$room/"
cp "$here/scenarios/"*.html "$here/scenarios/"*.js "$room/"
cp -r "$desktop/tests/app" "$room/app"
# What the desktop has built in is a file of the site in the browser.
cp -r "$web/site/resources" "$room/app/"
mkdir "$room/scenarios"
cp "$project/tests/scenarios/"*.scn "$room/scenarios/"
# The scenario the desktop's build writes (a book of 200 misses).
cp "$desktop/tests/two-hundred-misses.scn" "$room/scenarios/"

# Every file and folder of the test books, hidden ones included: the program
# lists the folders itself, by the desktop's rules.
/usr/bin/python3 - "$room" "${!SKIPPED[@]}" <<'PY'
import json, os, sys
room, skipped = sys.argv[1], set(sys.argv[2:])
folders, files = [], []
for root, dirs, names in os.walk(os.path.join(room, 'app')):
    relative = os.path.relpath(root, os.path.join(room, 'app'))
    if relative != '.':
        folders.append(relative)
    files += [os.path.normpath(os.path.join(relative, n)) for n in names]
json.dump({'from': 'app/', 'folders': sorted(folders), 'files': sorted(files)},
          open(os.path.join(room, 'disk.json'), 'w'), ensure_ascii=False)
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
