#!/usr/bin/env bash
# Serves a folder on a free loopback port while a command runs, and stops
# when it ends; "@SITE@" in the command's arguments becomes the folder's
# address (http://127.0.0.1:PORT/). WebAssembly does not load from file://.
#   tests/web/serve.sh FOLDER COMMAND [ARG...]
set -euo pipefail
if [ $# -lt 2 ]; then
    sed -n '2,5p' "$0" >&2
    exit 2
fi
folder=$1
shift

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
    echo "serve: the server did not start: $(cat "$log")" >&2
    exit 1
fi
args=()
for arg in "$@"; do
    args+=("${arg//@SITE@/http://127.0.0.1:$port/}")
done
"${args[@]}"
