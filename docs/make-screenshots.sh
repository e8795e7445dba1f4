#!/usr/bin/env bash
# Makes the README's screenshots from a build in build/: the menu with a
# category's books, a question, a wrong pick and the book piyoran-book makes
# of the example sheet (offscreen, through the scenario runner), the replay
# offer (the real program under Xvfb), and the browser edition on a tablet
# (its site in build-web/site, ./build.sh site, tapped in headless Chromium).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$(pwd)/docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/shots.scn" <<SCRIPT
seed 3
click SpeedButton3
hover FileListBox1 40 40
snapshot $out/menu.png
choose 01_be_verbs.txt
hover Orvelform 60 300
snapshot $out/question.png
pick wrong
hover Memo7 40 10
snapshot $out/wrong-pick.png
SCRIPT
QT_QPA_PLATFORM=offscreen "$build/piyoran-script" "$work/shots.scn" >/dev/null

# The book piyoran-book makes of the example sheet, being played.
mkdir -p "$work/sheet/001"
cp -r "$build/image" "$work/sheet/"
"$build/piyoran-book" from-sheet docs/examples/past-tense.csv "$work/sheet/001/past-tense.txt" >/dev/null
cat > "$work/sheet.scn" <<SCRIPT
seed 5
click SpeedButton3
choose past-tense.txt
pick right
pick wrong
hover Orvelform 60 300
snapshot $out/sheet-book.png
SCRIPT
QT_QPA_PLATFORM=offscreen "$build/piyoran-script" --app-dir "$work/sheet" "$work/sheet.scn" >/dev/null

# The replay offer: a book of one question, answered slot by slot until a
# wrong pick came first and the offer is up.
mkdir -p "$work/app/001"
cp "$build/piyoran" "$work/app/"
cp -r "$build/image" "$work/app/"
cp "$build/001/01_be_verbs.txt" "$work/app/001/"
cat > "$work/offer.sh" <<'INNER'
#!/usr/bin/env bash
app=$1; shot=$2
for attempt in $(seq 10); do
    "$app/piyoran" & pid=$!
    main=$(timeout 10 xdotool search --sync --onlyvisible --name "ver.1.1" | head -n 1)
    sleep 0.5
    xdotool mousemove --window "$main" 60 65 click 1; sleep 0.3
    xdotool mousemove --window "$main" 300 206 click 1; sleep 0.3
    for question in $(seq 20); do
        for y in 215 253 291 329 367; do
            xdotool mousemove --window "$main" 300 $y click 1; sleep 0.05
            if xdotool search --onlyvisible --name "確認" >/dev/null 2>&1; then
                sleep 0.5
                import -window root "$shot"
                kill $pid; exit 0
            fi
        done
    done
    kill $pid; wait $pid 2>/dev/null
done
exit 1
INNER
chmod +x "$work/offer.sh"
xvfb-run -a -s "-noreset -screen 0 1024x600x24" "$work/offer.sh" "$work/app" "$work/root.png"
convert "$work/root.png" -crop 861x418+81+91 +repage "$out/replay-offer.png"
# The browser edition at a tablet's size, a book opened with taps.
tests/web/run-page.sh build-web/site index.html 1180x820 \
    "wait:document.querySelector('[data-role=\"main\"]:not(.pr-hidden)')" \
    'wait:new Promise(r => setTimeout(() => r(true), 1200))' \
    'tap:[data-name="SpeedButton3"]' 'wait:document.querySelectorAll(".pr-row").length' \
    'tap:.pr-row:nth-child(2)' 'wait:document.querySelector("[data-name=Edit3]").textContent.length' \
    'wait:new Promise(r => setTimeout(() => r(true), 800))' "shot:$out/web-tablet.png"
echo "made the screenshots in $out"
