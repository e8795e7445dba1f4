// Headless Chromium driven through the DevTools protocol on a pipe, for the
// browser edition's tests (drive.mjs) and its benchmark (bench/web.mjs).
//   const browser = openBrowser();
//   const page = await browser.page({ width: 1366, height: 768 });
//   await page.call('Page.navigate', { url });
//   await page.evaluate('document.title');
//   browser.close();
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

// showConsole: the page's console and uncaught exceptions go to stderr.
export function openBrowser({ showConsole = false } = {}) {
  const profile = mkdtempSync(join(tmpdir(), 'piyoran-chromium-'));
  const browser = spawn('chromium', ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run',
    '--hide-scrollbars', '--remote-debugging-pipe', `--user-data-dir=${profile}`, 'about:blank'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });

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

  // The browser's first tab, at the given viewport, with touch as a tablet has.
  async function page({ width, height, scale = 1 }) {
    const { targetInfos } = await send('Target.getTargets');
    const target = targetInfos.find(t => t.type === 'page');
    const { sessionId } = await send('Target.attachToTarget', { targetId: target.targetId, flatten: true });
    const call = (method, params) => send(method, params, sessionId);
    await call('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: scale, mobile: false });
    await call('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    await call('Page.enable');
    if (showConsole)
      await call('Runtime.enable');
    // The expression's value (awaited when it is a promise); throws what the page threw.
    const evaluate = async expression => {
      const { result, exceptionDetails } = await call('Runtime.evaluate',
        { expression, returnByValue: true, awaitPromise: true });
      if (exceptionDetails)
        throw new Error(`${expression}: ${exceptionDetails.exception?.description || exceptionDetails.text}`);
      return result.value;
    };
    // The middle of the element, in the viewport's pixels.
    const middleOf = async selector => {
      const point = await evaluate(`(() => { const e = document.querySelector(${JSON.stringify(selector)});
        if (!e) return null; const r = e.getBoundingClientRect();
        return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
      if (!point)
        throw new Error(`no element ${selector}`);
      return point;
    };
    // The mouse comes to the element's middle, is pressed and released.
    const click = async selector => {
      const { x, y } = await middleOf(selector);
      await call('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y });
      await call('Input.dispatchMouseEvent', { type: 'mousePressed', x, y, button: 'left', clickCount: 1 });
      await call('Input.dispatchMouseEvent', { type: 'mouseReleased', x, y, button: 'left', clickCount: 1 });
    };
    return { call, evaluate, middleOf, click };
  }

  function close() {
    browser.kill();
    try { rmSync(profile, { recursive: true, force: true }); } catch { /* still in use */ }
  }

  return { page, close };
}

export const sleep = ms => new Promise(r => setTimeout(r, ms));

// Waits until the page's expression (or its promise) is true. An expression
// that throws (the page not there yet) is not true yet.
export async function waitFor(page, expression, seconds = 20) {
  const until = Date.now() + seconds * 1000;
  while (!(await page.evaluate(`(async () => { try { return !!(await (${expression})); } catch (e) { return false; } })()`))) {
    if (Date.now() > until)
      throw new Error(`waited in vain for ${expression}`);
    await sleep(20);
  }
}
