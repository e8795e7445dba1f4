#!/usr/bin/env bash
# Serves a folder on a free loopback port and drives one of its pages in
# headless Chromium (tests/web/drive.mjs: wait, print, key, click, tap, shot).
# WebAssembly does not load from file://, hence the server; it stops when
# the page is done.
#   tests/web/run-page.sh FOLDER PAGE WIDTHxHEIGHT[@SCALE] STEP...
# PAGE is a path in the folder, with any "#..." (index.html#boxes).
#   tests/web/run-page.sh build-web/site index.html 1366x768 \
#       'wait:document.title' 'print:document.documentElement.outerHTML'
set -euo pipefail
here=$(dirname "$0")

if [ $# -lt 3 ]; then
    sed -n '2,10p' "$0" >&2
    exit 2
fi
folder=$1
page=$2
shift 2

log=$(mktemp)
/usr/bin/python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$folder" >"$log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -f "$log"' EXIT

port=
for _ in $(seq 100); do
    port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$log" | head -n1)
    [ -n "$port" ] && break
    sleep 0.1
done
if [ -z "$port" ]; then
    echo "run-page: the server did not start: $(cat "$log")" >&2
    exit 1
fi
node "$here/drive.mjs" "http://127.0.0.1:$port/$page" "$@"
