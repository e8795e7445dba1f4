#!/usr/bin/env bash
# Checks the page runtime in headless Chromium with the stand-in program
# (piyoran-probe, put in the place of the program in a copy of the site):
# it starts, its timer ticks reach the program, a category's book list is
# the site's list, a tap selects and opens a book, the boxes' answers come
# back to the program as 6, 7 and 2 with their line breaks kept, and a
# broken picture is refused and leaves the picture as it was.
#   tests/web/check-page.sh SITE [BUILD]   (build-web/site and build-web
#                                           after ./build.sh web)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
site=$1
build=${2:-$(dirname "$site")}

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
cp -r "$site" "$room/site"
cp "$build/piyoran-probe.js" "$room/site/piyoran.js"
cp "$build/piyoran-probe.wasm" "$room/site/"
# A picture cut off half way, for the probe's "#pictures" mode.
head -c 20000 "$site/image/Sea1.jpg" > "$room/site/probe-broken.jpg"

. "$here/expect.sh"
page() {
    "$here/run-page.sh" "$room/site" "$@" 2>&1
}
# The main window is up and the splash window (over the book list) is gone.
ready='document.querySelector("[data-id=\"23\"]") && document.querySelector("[data-id=\"1\"]").classList.contains("pr-hidden")'
status='document.querySelector("[data-id=\"15\"]").textContent'
box_text='document.querySelector(".pr-box-text")?.textContent'

got=$(page index.html 1366x768 \
    'wait:+document.querySelector("[data-id=\"17\"]").textContent >= 3' \
    "print:$status" 'print:document.title')
expect "the program starts, builds its window and hears its timer" \
    "probe ready; splash name 138x19
ぴよらん　ぽこぺ　ver.1.1 (probe)" "$got"

want=$(/usr/bin/python3 -c 'import json,sys; print("|".join(json.load(open(sys.argv[1]))["folders"]["004"]))' "$site/books.json")
got=$(page index.html 1366x768 "wait:$ready" 'click:[data-id="23"]' \
    'wait:document.querySelectorAll(".pr-row").length' \
    'print:[...document.querySelectorAll(".pr-row")].map(r => r.textContent).join("|")')
expect "a category button shows its folder's books" "$want" "$got"

# Touch: a tap on the third row selects it and opens it (no hovering first).
third=$(echo "$want" | cut -d'|' -f3)
got=$(page index.html 1024x768 "wait:$ready" 'tap:[data-id="23"]' \
    'wait:document.querySelectorAll(".pr-row").length' 'tap:.pr-row:nth-child(3)' \
    "wait:$box_text" "print:$box_text.split(\"」\")[0]" \
    'print:document.querySelector(".pr-row.pr-selected")?.textContent')
expect "a tap on a book selects and opens it" "「$third
$third" "$got"

# Boxes: Escape is キャンセル where offered, else いいえ; Enter is はい; Y and
# N answer too; a click on a button answers it.
got=$(page 'index.html#boxes' 1366x768 \
    "wait:$box_text?.startsWith(\"一つ目\")" 'key:Escape' \
    "wait:$box_text?.startsWith(\"二つ目\")" "print:JSON.stringify($box_text)" 'key:Escape' \
    "wait:$box_text?.startsWith(\"三つ目\")" "print:JSON.stringify($box_text)" 'key:Enter' \
    "wait:$box_text === \"おわり\"" 'key:Enter' "wait:$status.startsWith(\"box=\")" "print:$status")
expect "box answers: Escape, Escape, Enter come back as 2, 7, 6; line breaks kept" \
    '"二つ目\nはい/いいえ"
"三つ目\nはい/いいえ/キャンセル"
box=2,7,6' "$got"

got=$(page 'index.html#boxes' 1366x768 \
    "wait:$box_text?.startsWith(\"一つ目\")" 'key:y' \
    "wait:$box_text?.startsWith(\"二つ目\")" 'key:n' \
    "wait:$box_text?.startsWith(\"三つ目\")" 'click:.pr-box-button[data-result="2"]' \
    "wait:$box_text === \"おわり\"" 'click:.pr-box-button' "wait:$status.startsWith(\"box=\")" "print:$status")
expect "box answers: Y, N and a click on キャンセル come back as 6, 7, 2" "box=6,7,2" "$got"

# The picture shown after the broken one is refused must be the good one:
# its pixels are compared with the good picture decoded afresh.
same='(async () => { const c = document.querySelector("[data-id=\"11\"]");
  const b = await createImageBitmap(await (await fetch("image/Sea1.jpg")).blob());
  const d = document.createElement("canvas"); d.width = b.width; d.height = b.height;
  d.getContext("2d").drawImage(b, 0, 0);
  const x = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
  const y = d.getContext("2d").getImageData(0, 0, d.width, d.height).data;
  return x.length === y.length && x.every((v, i) => v === y[i]) ? "same" : "changed"; })()'
got=$(page 'index.html#pictures' 1366x768 "wait:$status.startsWith(\"picture=\")" "print:$status" "print:$same")
expect "a broken picture is refused and the shown one stays" "picture=730x420,0
same" "$got"

# Offline: the service worker installs and keeps every file of its list and
# the site's folder; the page asked nothing of any other host.
listed=$(/usr/bin/python3 -c 'import json,sys
line = next(l for l in open(sys.argv[1], encoding="utf-8") if l.startswith("const SITE = "))
print(len(json.loads(line[13:-2])["files"]) + 1)' "$site/sw.js")
got=$(page index.html 1366x768 "wait:$ready" 'wait:navigator.serviceWorker.ready.then(r => r.active.state === "activated")' \
    'print:caches.keys().then(async k => (await (await caches.open(k[0])).keys()).length)' \
    'print:[...new Set(performance.getEntriesByType("resource").map(e => new URL(e.name).origin))].length')
expect "the service worker keeps the whole site; one host only" "$listed
1" "$got"

[ "$failures" -eq 0 ]
