// Plays every scenario of scenarios.json, each in a page of its own (a fresh
// program), two at a time. When all are done, window.report holds one line
// per scenario ("PASS name" or "FAIL name" and the runner's output) and
// window.failed the number that failed.
'use strict';

const PARALLEL = 2;
const TIMEOUT_MS = 60000;

function play(name) {
  return new Promise(resolve => {
    const frame = document.createElement('iframe');
    frame.width = 1024;
    frame.height = 600;
    const started = Date.now();
    const poll = setInterval(() => {
      const played = frame.contentWindow && frame.contentWindow.played;
      const late = Date.now() - started > TIMEOUT_MS;
      if (!played && !late)
        return;
      clearInterval(poll);
      frame.remove();
      resolve(played || { status: -1, output: 'no end within the time allowed' });
    }, 50);
    frame.src = `play.html#${encodeURIComponent(name)}`;
    document.body.appendChild(frame);
  });
}

(async () => {
  const names = await (await fetch('scenarios.json')).json();
  const lines = new Array(names.length);
  let next = 0;
  let failed = 0;
  async function worker() {
    while (next < names.length) {
      const at = next++;
      const played = await play(names[at]);
      if (played.status === 0) {
        lines[at] = `PASS ${names[at]}`;
      } else {
        failed++;
        lines[at] = `FAIL ${names[at]} (status ${played.status})\n${played.output}`;
      }
    }
  }
  await Promise.all(Array.from({ length: PARALLEL }, worker));
  window.failed = failed;
  window.report = lines.join('\n');
})();
