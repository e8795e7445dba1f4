#!/usr/bin/env bash
# The browser edition's benchmark: builds its site (./build.sh site), adds
# the benchmark book to a copy of it, and measures in headless Chromium on
# 127.0.0.1 start-up with a warm cache and the right pick (bench/web.mjs);
# then the site's size without books, pictures and fonts, compressed.
#   bench/web.sh [ROUNDS]        (start-ups to take the median of; 10)
# The exit status is 0 when every target was met.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-10}

./build.sh site >/dev/null

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
cp -r build-web/site "$room/site"
book=00_bench_two_hundred.txt
# The desktop benchmark's three-line book of 200 one-step questions, first
# in the list (a click reaches only the rows in sight); the right answer to
# question N is the word and N, the shortest of its five choices.
/usr/bin/python3 - "$room/site/001/$book" <<'PY'
import sys
words = ["study", "play", "watch", "visit", "clean", "cook", "help", "open"]
lines = ["ベンチマーク用の問題集（200問）", "（　）に入る最も適切な語を選びなさい。"]
for q in range(1, 201):
    w = words[q % 8]
    lines += [f"私は毎日英語を勉強します。（第{q}問）", f"I (          ) English every day. No.{q}", "",
              f"{w}{q}", f"{w}s{q}", f"{w}ed{q}", f"{w}ing{q}", f'"to {w}{q}"']
open(sys.argv[1], "wb").write("".join(line + "\r\n" for line in lines).encode("cp932"))
PY
/usr/bin/python3 tools/web/refresh-lists.py "$room/site" >/dev/null

echo "== In headless Chromium $(chromium --version 2>/dev/null | sed 's/^Chromium //'), 1366 x 768, on 127.0.0.1"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
status=0
NODE_PATH=/usr/share/nodejs tests/web/serve.sh "$room/site" node bench/web.mjs "@SITE@index.html" "$book" "$rounds" ||
    status=1

# The program and its page: every file but the books (the category folders
# and their lists), the pictures and the fonts.
/usr/bin/python3 - build-web/site <<'PY' || status=1
import brotli, gzip, json, os, sys
site = sys.argv[1]
books = set(json.load(open(os.path.join(site, "books.json")))["folders"])
raw = zipped = squeezed = 0
for folder, dirs, files in os.walk(site):
    top = os.path.relpath(folder, site).split(os.sep)[0]
    if top in books or top == "fonts":
        continue
    for name in files:
        if name.endswith((".jpg", ".jpeg")) or name in ("books.json", "disk.json", "disk.bin"):
            continue
        data = open(os.path.join(folder, name), "rb").read()
        raw += len(data)
        zipped += len(gzip.compress(data, 9))
        squeezed += len(brotli.compress(data))
limit = 1.5e6
print(f"the site without books, pictures and fonts: {raw / 1e6:.2f} MB, "
      f"{zipped / 1e6:.2f} MB gzip, {squeezed / 1e6:.2f} MB brotli"
      f"   (target {limit / 1e6} MB or less compressed: {'met' if zipped <= limit else 'MISSED'})")
sys.exit(0 if zipped <= limit else 1)
PY
exit $status
