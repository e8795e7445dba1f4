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
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const [url, size, ...steps] = process.argv.slice(2);
const [, width, height, scale] = /^(\d+)x(\d+)(?:@([\d.]+))?$/.exec(size || '') || [];
if (!url || !width) {
  console.error('usage: node drive.mjs URL WIDTHxHEIGHT[@SCALE] STEP...');
  process.exit(2);
}

const profile = mkdtempSync(join(tmpdir(), 'piyoran-drive-'));
const browser = spawn('chromium', ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
  '--hide-scrollbars', '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank'],
  { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

// DRIVE_CONSOLE=1: the page's console and uncaught exceptions on stderr.
const showConsole = process.env.DRIVE_CONSOLE === '1';
let nextId = 1;
const pending = new Map();
let buffered = Buffer.alloc(0);
browser.stdio[4].on('data', chunk => {
  buffered = Buffer.concat([buffered, chunk]);
  for (let end; (end = buffered.indexOf(0)) >= 0; buffered = buffered.subarray(end + 1)) {
    const message = JSON.parse(buffered.subarray(0, end).toString('utf8'));
    if (showConsole && message.method === 'Runtime.consoleAPICalled')
      console.error(`console.${message.params.type}: ${message.params.args.map(a => a.value ?? a.description).join(' ')}`);
    if (showConsole && message.method === 'Runtime.exceptionThrown')
      console.error(`exception: ${message.params.exceptionDetails.exception?.description || message.params.exceptionDetails.text}`);
    const waiter = message.id && pending.get(message.id);
    if (waiter) {
      pending.delete(message.id);
      message.error ? waiter.reject(new Error(JSON.stringify(message.error))) : waiter.resolve(message.result);
    }
  }
});

function send(method, params = {}, sessionId) {
  const id = nextId++;
  browser.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
  return new Promise((resolve, reject) => pending.set(id, { resolve, reject }));
}

const sleep = ms => new Promise(r => setTimeout(r, ms));

async function main() {
  const { targetInfos } = await send('Target.getTargets');
  const target = targetInfos.find(t => t.type === 'page');
  const { sessionId } = await send('Target.attachToTarget', { targetId: target.targetId, flatten: true });
  const page = (method, params) => send(method, params, sessionId);
  await page('Emulation.setDeviceMetricsOverride',
    { width: +width, height: +height, deviceScaleFactor: +(scale || 1), mobile: false });
  await page('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  await page('Page.enable');
  if (showConsole)
    await page('Runtime.enable');
  await page('Page.navigate', { url });

  const evaluate = async expression => {
    const { result, exceptionDetails } = await page('Runtime.evaluate',
      { expression, returnByValue: true, awaitPromise: true });
    if (exceptionDetails)
      throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
    return result.value;
  };
  const middleOf = async selector => {
    const point = await evaluate(`(() => { const e = document.querySelector(${JSON.stringify(selector)});
      if (!e) return null; const r = e.getBoundingClientRect();
      return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
    if (!point)
      throw new Error(`no element ${selector}`);
    return point;
  };
  const KEYS = { Enter: 13, Escape: 27, Tab: 9, ' ': 32, ArrowUp: 38, ArrowDown: 40,
    F1: 112, F2: 113, F3: 114, F4: 115, F5: 116 };

  for (const step of steps) {
    const colon = step.indexOf(':');
    const verb = step.slice(0, colon);
    const arg = step.slice(colon + 1);
    if (verb === 'wait' || verb === 'waitlong') {
      const until = Date.now() + (verb === 'wait' ? 20000 : 300000);
      // An expression that throws (the page not there yet) is not true yet.
      while (!(await evaluate(`(async () => { try { return !!(await (${arg})); } catch (e) { return false; } })()`))) {
        if (Date.now() > until)
          throw new Error(`waited in vain for ${arg}`);
        await sleep(50);
      }
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
      const { x, y } = await middleOf(arg);
      await page('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
      await page('Input.dispatchMouseEvent', { type: 'mousePressed', x, y, button: 'left', clickCount: 1 });
      await page('Input.dispatchMouseEvent', { type: 'mouseReleased', x, y, button: 'left', clickCount: 1 });
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
  browser.kill();
  try { rmSync(profile, { recursive: true, force: true }); } catch { /* still in use */ }
  process.exit(status);
}
main().then(() => finish(0), error => { console.error(`drive: ${error.message}`); finish(1); });
