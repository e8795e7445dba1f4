#!/usr/bin/env bash
# Measures how long headless Chromium takes to decode the bundled pictures
# (data/image/*.jpg) with its own decoder (createImageBitmap, then drawn on a
# canvas as the page runtime does), and whether it refuses a cut-off copy.
# Prints one line per picture: name, bytes, median and slowest of 30 runs.
#   tests/web/measure-decode.sh
set -euo pipefail
cd "$(dirname "$0")/../.."

room=$(mktemp -d)
trap 'rm -rf "$room"' EXIT
cp data/image/*.jpg "$room/"
first=$(ls data/image/*.jpg | head -n1)
head -c "$(( $(stat -c %s "$first") / 2 ))" "$first" > "$room/cut-off.jpg"
names=$(cd "$room" && ls *.jpg | grep -v cut-off | sed 's/.*/"&"/' | paste -sd,)
cat > "$room/measure.html" <<HTML
<!DOCTYPE html><meta charset="utf-8"><pre id="out"></pre><script src="measure.js"></script>
HTML
cat > "$room/measure.js" <<JS
(async () => {
  const lines = [];
  const canvas = document.createElement('canvas');
  for (const name of [$names]) {
    const bytes = new Uint8Array(await (await fetch(name)).arrayBuffer());
    const times = [];
    for (let run = 0; run < 30; run++) {
      const start = performance.now();
      const bitmap = await createImageBitmap(new Blob([bytes]));
      canvas.width = bitmap.width; canvas.height = bitmap.height;
      canvas.getContext('2d').drawImage(bitmap, 0, 0);
      bitmap.close();
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    lines.push(name + ' ' + bytes.length + ' B: median ' + times[15].toFixed(2) + ' ms, slowest ' + times[29].toFixed(2) + ' ms');
  }
  const cut = new Uint8Array(await (await fetch('cut-off.jpg')).arrayBuffer());
  let verdict;
  try { const b = await createImageBitmap(new Blob([cut])); verdict = 'decoded ' + b.width + 'x' + b.height; }
  catch (e) { verdict = 'refused'; }
  lines.push('cut-off copy of the first picture: ' + verdict);
  document.getElementById('out').textContent = lines.join('\n');
})();
JS
tests/web/run-page.sh "$room" measure.html 800x600 'wait:document.getElementById("out").textContent' \
    'print:document.getElementById("out").textContent'
