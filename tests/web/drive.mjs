// Drives a page in headless Chromium through the DevTools protocol on a
// pipe: opens it, then runs steps in order, as a learner and a test would.
//   node tests/web/drive.mjs URL WIDTHxHEIGHT[@SCALE] STEP...
// Steps:
//   wait:EXPR       until the page's expression (or its promise) is true, 20 s
//                   at most; one that throws (the page not there yet) is not
//   waitlong:EXPR   the same, 5 minutes at most (a whole suite in the page)
//   print:EXPR      prints the expression's value, one line
//   key:NAME        presses and releases a key (Enter, Escape, F1, y ...)
//   click:SELECTOR  presses and releases the mouse at the element's middle
//   tap:SELECTOR    touches the element's middle with a finger
//   shot:FILE       saves a screenshot of the viewport (PNG)
// Exit status 1 when a step fails (a wait runs out, an element is missing).
import { writeFileSync } from 'node:fs';
import { openBrowser, waitFor } from './chromium.mjs';

const [url, size, ...steps] = process.argv.slice(2);
const [, width, height, scale] = /^(\d+)x(\d+)(?:@([\d.]+))?$/.exec(size || '') || [];
if (!url || !width) {
  console.error('usage: node drive.mjs URL WIDTHxHEIGHT[@SCALE] STEP...');
  process.exit(2);
}

// DRIVE_CONSOLE=1: the page's console and uncaught exceptions on stderr.
const browser = openBrowser({ showConsole: process.env.DRIVE_CONSOLE === '1' });

async function main() {
  const tab = await browser.page({ width: +width, height: +height, scale: +(scale || 1) });
  const { call: page, evaluate, middleOf } = tab;
  await page('Page.navigate', { url });

  const KEYS = { Enter: 13, Escape: 27, Tab: 9, ' ': 32, ArrowUp: 38, ArrowDown: 40,
    F1: 112, F2: 113, F3: 114, F4: 115, F5: 116 };

  for (const step of steps) {
    const colon = step.indexOf(':');
    const verb = step.slice(0, colon);
    const arg = step.slice(colon + 1);
    if (verb === 'wait' || verb === 'waitlong') {
      await waitFor(tab, arg, verb === 'wait' ? 20 : 300);
    } else if (verb === 'print') {
      const value = await evaluate(arg);
      console.log(typeof value === 'string' ? value : JSON.stringify(value));
    } else if (verb === 'key') {
      const code = KEYS[arg] || arg.toUpperCase().charCodeAt(0);
      const text = arg.length === 1 ? arg : arg === 'Enter' ? '\r' : undefined;
      await page('Input.dispatchKeyEvent', { type: text ? 'keyDown' : 'rawKeyDown', key: arg,
        windowsVirtualKeyCode: code, text });
      await page('Input.dispatchKeyEvent', { type: 'keyUp', key: arg, windowsVirtualKeyCode: code });
    } else if (verb === 'click') {
      await tab.click(arg);
    } else if (verb === 'tap') {
      const { x, y } = await middleOf(arg);
      await page('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
      await page('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
    } else if (verb === 'shot') {
      const { data } = await page('Page.captureScreenshot', { format: 'png' });
      writeFileSync(arg, Buffer.from(data, 'base64'));
    } else {
      throw new Error(`unknown step ${step}`);
    }
  }
}

const guard = setTimeout(() => { console.error('drive: hung'); finish(1); }, 360000);
function finish(status) {
  clearTimeout(guard);
  browser.close();
  process.exit(status);
}
main().then(() => finish(0), error => { console.error(`drive: ${error.message}`); finish(1); });
