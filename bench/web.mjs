// The browser edition's speed in headless Chromium (1366 x 768):
//   1. start-up: navigation to each window's first frame, with a warm cache
//      (the service worker's copy), the median of ROUNDS visits after one
//      visit that fills the caches;
//   2. a right pick on a one-step question through a whole pass of the
//      benchmark book but its last question: the learner's pointer events
//      to the next question laid out and drawn, measured in the page; and
//      the main thread's whole time per pick (DevTools' task time over the
//      pass), with what the pick's timers do in the frames after.
//   node bench/web.mjs URL BOOK ROUNDS
// URL is the site's page; BOOK the benchmark book's name in the category
// folder 001, whose right answer to each question is its shortest choice
// (bench/web.sh makes it so). Prints one line per figure; the exit status
// is 1 when a target is missed.
import { openBrowser, waitFor } from '../tests/web/chromium.mjs';

const [url, book, rounds = '10'] = process.argv.slice(2);

// Set up before the page's own scripts: the time each window ('splash',
// 'main') first reached the screen, in ms from the navigation's start. A
// frame callback runs just before the frame is drawn, a message posted from
// there just after.
const WATCH_WINDOWS = `
window.piyoranShownAt = {};
addEventListener('DOMContentLoaded', () => {
  new MutationObserver(() => {
    for (const form of document.querySelectorAll('[data-role]:not(.pr-hidden)')) {
      const role = form.dataset.role;
      if (role in piyoranShownAt)
        continue;
      piyoranShownAt[role] = null;
      requestAnimationFrame(() => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => { piyoranShownAt[role] = performance.now(); };
        channel.port2.postMessage(0);
      });
    }
  }).observe(document.getElementById('pr-viewport'),
    { subtree: true, childList: true, attributes: true, attributeFilter: ['class'] });
});`;

// In the page: picks the right choice of every question but the last, as
// pointer events on the choice (the pointer over it, then a frame later
// pressed and released), and returns each pick's time through to the
// next question drawn: the events to the question laid out (forced at once),
// and then the frame's drawing, from its frame callback (where nothing is
// left to lay out) to just after it.
const PLAY_PASS = `(async () => {
  const named = name => document.querySelector('[data-name="' + name + '"]');
  const slots = ['Memo4', 'Memo7', 'Memo8', 'Memo9', 'Memo10'].map(named);
  const drawn = () => new Promise(resolve => requestAnimationFrame(() => {
    const start = performance.now();
    const channel = new MessageChannel();
    channel.port1.onmessage = () => resolve(performance.now() - start);
    channel.port2.postMessage(0);
  }));
  const pointer = (el, type, x, y) => el.dispatchEvent(new PointerEvent(type,
    { bubbles: true, pointerId: 1, pointerType: 'mouse', button: 0, buttons: type === 'pointerup' ? 0 : 1,
      clientX: x, clientY: y, isPrimary: true }));
  const number = () => +/No\\.(\\d+)/.exec(named('Edit4').textContent)[1];
  const times = [];
  while (!/残\\s*1$/.test(named('Nokori').textContent.trim())) {
    const asked = number();
    const slot = slots.reduce((shortest, el) => el.textContent.length < shortest.textContent.length ? el : shortest);
    const box = slot.getBoundingClientRect();
    const x = box.left + box.width / 2, y = box.top + box.height / 2;
    // The pointer comes over the choice a frame before it is pressed.
    pointer(slot, 'pointermove', x, y);
    await drawn();
    const start = performance.now();
    pointer(slot, 'pointerdown', x, y);
    pointer(slot, 'pointerup', x, y);
    document.body.getBoundingClientRect();
    const laidOut = performance.now() - start;
    if (number() === asked)
      throw new Error('the pick of ' + slot.textContent + ' did not move on');
    times.push({ laidOut, drawing: await drawn() });
  }
  return times;
})()`;

const median = values => {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
};
const ms = value => value.toFixed(value < 10 ? 3 : 1) + ' ms';

const browser = openBrowser();
let missed = false;
// One figure, with its target when it has one.
function report(what, value, target, more = '') {
  const met = target === undefined || value <= target;
  missed ||= !met;
  console.log(`${what}: ${ms(value)}${more}${target === undefined ? '' : `   (target ${target} ms or less: ${met ? 'met' : 'MISSED'})`}`);
}

async function main() {
  const tab = await browser.page({ width: 1366, height: 768 });
  await tab.call('Page.addScriptToEvaluateOnNewDocument', { source: WATCH_WINDOWS });
  const visit = async () => {
    await tab.call('Page.navigate', { url });
    await waitFor(tab, 'piyoranShownAt.main');
  };

  // The first visit fills the browser's caches and the service worker's.
  await visit();
  await waitFor(tab, 'navigator.serviceWorker.controller');
  const splash = [], main = [];
  for (let round = 0; round < +rounds; ++round) {
    await visit();
    const shown = await tab.evaluate('piyoranShownAt');
    splash.push(shown.splash);
    main.push(shown.main);
  }
  const spread = values => ` (${ms(Math.min(...values))} to ${ms(Math.max(...values))})`;
  report(`navigation to the first window drawn (the splash), warm cache, median of ${rounds}`,
    median(splash), 300, spread(splash));
  report(`navigation to the main window drawn, median of ${rounds}`, median(main), undefined, spread(main));

  // The benchmark book, from the category of folder 001.
  await tab.click('[data-name="SpeedButton3"]');
  await waitFor(tab, `[...document.querySelectorAll('.pr-row')].some(row => row.textContent.includes(${JSON.stringify(book)}))`);
  await tab.evaluate(`[...document.querySelectorAll('.pr-row')].find(row => row.textContent.includes(${JSON.stringify(book)}))
    .setAttribute('data-bench', 'book')`);
  await tab.click('[data-bench="book"]');
  await waitFor(tab, `/No\\.\\d+/.test(document.querySelector('[data-name="Edit4"]').textContent)`);

  await tab.call('Performance.enable', { timeDomain: 'threadTicks' });
  const taskTime = async () => (await tab.call('Performance.getMetrics')).metrics
    .find(metric => metric.name === 'TaskDuration').value * 1000;
  const before = await taskTime();
  const picks = await tab.evaluate(PLAY_PASS);
  const whole = (await taskTime()) - before;
  const laidOut = picks.map(pick => pick.laidOut);
  const drawing = picks.map(pick => pick.drawing);
  report(`right pick, one-step question, through to the next question drawn, median of ${picks.length}`,
    median(picks.map(pick => pick.laidOut + pick.drawing)), 2,
    ` (laid out ${ms(median(laidOut))}, drawn ${ms(median(drawing))})`);
  report("the main thread's time per pick, with what its timers do in the frames after", whole / picks.length);
}

const guard = setTimeout(() => { console.error('bench/web: hung'); browser.close(); process.exit(1); }, 600000);
main().then(() => {
  clearTimeout(guard);
  browser.close();
  process.exit(missed ? 1 : 0);
}, error => {
  console.error(`bench/web: ${error.message}`);
  browser.close();
  process.exit(1);
});
