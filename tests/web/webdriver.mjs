// WebKitGTK for the page's tests: Debian's WebKitWebDriver on 127.0.0.1, spoken to in W3C
// WebDriver, behind the few calls of puppeteer's browser and page that the table uses, so that one
// table drives every engine. WebKitGTK needs a display: an Xvfb server of its own. What WebDriver
// cannot do (a device pixel ratio, a script ahead of the page's own, an input method) throws,
// and the rows that need it say so.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';

const KEYS = {
  Enter: '\uE007', Escape: '\uE00C', Backspace: '\uE003', Tab: '\uE004', Shift: '\uE008', Control: '\uE009',
  Alt: '\uE00A', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Insert: '\uE016',
  Home: '\uE011', ...Object.fromEntries(Array.from({ length: 12 }, (_, i) => [`F${i + 1}`, String.fromCharCode(0xE031 + i)])),
};

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    }).on('error', reject);
  });
}

// Starts a program and waits for the first line it writes to `stream` that `ready` accepts.
function started(command, args, env, stream, ready) {
  return new Promise((resolve, reject) => {
    const child = spawn(command, args, { env, stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    let seen = '';
    child.on('error', reject);
    child.on('exit', (code) => reject(new Error(`${command} ended (${code}) before it was ready: ${seen}`)));
    child.stdio[stream].on('data', (data) => {
      seen += data;
      const value = ready(seen);
      if (value !== undefined) resolve([child, value]);
    });
  });
}

class Page {
  constructor(driver, id) {
    this.driver = driver;
    this.id = id;
    const key = (type) => (k) => this.actions([{ type, value: KEYS[k] ?? k }]);
    this.keyboard = { down: key('keyDown'), up: key('keyUp'), press: async (k) => { await key('keyDown')(k); await key('keyUp')(k); } };
  }

  call(method, path, body) { return this.driver.call(method, `/session/${this.id}${path}`, body); }
  actions(keys) { return this.call('POST', '/actions', { actions: [{ type: 'key', id: 'keyboard', actions: keys }] }); }
  on() {}
  async setViewport({ width, height, deviceScaleFactor = 1 }) {
    if (deviceScaleFactor !== 1) throw new Error('WebDriver cannot set a device pixel ratio');
    // The window is set so that its viewport, the window less the browser's own parts, is the size.
    await this.call('POST', '/window/rect', { width, height });
    const [inner, outer] = await this.evaluate(() => [[innerWidth, innerHeight], [outerWidth, outerHeight]]);
    await this.call('POST', '/window/rect', { width: width + outer[0] - inner[0], height: height + outer[1] - inner[1] });
  }
  evaluateOnNewDocument() { throw new Error('WebDriver cannot run a script ahead of the page'); }
  createCDPSession() { throw new Error('WebKit has no DevTools protocol'); }
  goto(url) { return this.call('POST', '/url', { url }); }
  title() { return this.call('GET', '/title'); }
  evaluate(fn, ...args) {
    return this.call('POST', '/execute/sync', { script: `return (${fn}).apply(null, arguments)`, args });
  }
  $eval(selector, fn) {
    return this.call('POST', '/execute/sync', { script: `return (${fn})(document.querySelector(arguments[0]))`, args: [selector] });
  }
  async $(selector) { return (await this.evaluate((s) => !!document.querySelector(s), selector)) ? { selector } : null; }
  // Asked again every `polling` ms until it holds, as puppeteer's own waiting does.
  async waitForFunction(fn, { timeout = 30000, polling = 10 } = {}, ...args) {
    const deadline = Date.now() + timeout;
    for (;;) {
      const value = await this.evaluate(fn, ...args);
      if (value) return value;
      if (Date.now() > deadline) throw new Error(`waiting failed: ${timeout} ms exceeded`);
      await new Promise((resolve) => setTimeout(resolve, polling));
    }
  }
  waitForSelector(selector, { timeout } = {}) {
    return this.waitForFunction((s) => !!document.querySelector(s), { timeout }, selector);
  }
  async click(selector) {
    const element = await this.call('POST', '/element', { using: 'css selector', value: selector });
    await this.call('POST', `/element/${Object.values(element)[0]}/click`, {});
  }
  async close() {
    this.driver.open.delete(this);
    await this.call('DELETE', '');
  }
}

export async function openWebKit() {
  const [xvfb, display] = await started('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
    process.env, 3, (seen) => (seen.includes('\n') ? seen.trim() : undefined));
  const port = await freePort();
  const env = { ...process.env, DISPLAY: `:${display}` };
  const driver = spawn(process.env.QUILLET_WEBKIT_DRIVER ?? '/usr/bin/WebKitWebDriver', [`--port=${port}`, '--host=127.0.0.1'],
    { env, stdio: 'ignore' });
  const webkit = new WebKit(`http://127.0.0.1:${port}`, [driver, xvfb]);
  // A run that fails on its way leaves neither behind.
  process.on('exit', () => { for (const child of [driver, xvfb]) child.kill(); });
  // It says nothing when it listens: it is ready once it answers.
  for (const deadline = Date.now() + 10000; ;) {
    try {
      await webkit.call('GET', '/status');
      return webkit;
    } catch (error) {
      if (Date.now() > deadline || driver.exitCode !== null) {
        await webkit.close();
        throw new Error(`WebKitWebDriver does not answer on port ${port}: ${error.message}`);
      }
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }
}
class WebKit {
  constructor(base, processes) {
    this.base = base;
    this.processes = processes;
    this.open = new Set();
  }

  async call(method, path, body) {
    const response = await fetch(this.base + path, {
      method, headers: { 'content-type': 'application/json' }, body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) throw new Error(`${value.error}: ${value.message}`);
    return value;
  }

  async newPage() {
    const session = await this.call('POST', '/session', {
      capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
        binary: process.env.QUILLET_WEBKIT ?? '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', args: ['--automation'],
      } } },
    });
    const page = new Page(this, session.sessionId);
    this.open.add(page);
    return page;
  }

  async pages() { return [...this.open]; }
  async close() {
    for (const page of [...this.open]) await page.close().catch(() => {});
    for (const child of this.processes) child.kill();
  }
}
