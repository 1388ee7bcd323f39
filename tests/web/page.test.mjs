// The browser page in Debian's Chromium and Firefox, headless, opened from disk as a player opens
// it: one table of rows, each a page of its own, each in every engine that can express it (a row
// says why where not). Run by node's test runner (ctest runs it where emscripten, the browsers and
// the npm packages are installed):
//   QUILLET_WEB_DIR=build/.../web QUILLET_ENGINES=chromium,firefox node --test tests/web/
// Everything is read from the page as a player sees it: the canvas's pixels, the page's text, the
// dialog. Pixels are compared exactly where the desktop fills, and text by its ink.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createServer } from 'node:http';
import path from 'node:path';
import { pathToFileURL, fileURLToPath } from 'node:url';

import { openBrowser, openPage, waitForPhase, waitUntilHandled, canvasPixels, readLetter, renderLike, inkDifference,
  inkShift, hasKeyboard, ENGINES, BACKGROUND, RED } from './support.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const webDir = process.env.QUILLET_WEB_DIR ?? path.resolve(here, '../../build/web');
const game = pathToFileURL(path.join(webDir, 'quillet.html')).href;
const failing = pathToFileURL(path.join(webDir, 'quillet_failing.html')).href;
const desktopIdle = 'data:image/png;base64,' + readFileSync(path.resolve(here, '../../docs/idle.png')).toString('base64');

// The window's labels as the layout places them at 96 pixels per inch: [left, top, right, bottom].
const LETTER = [88, 0, 161, 97];
const STATUS = [33, 152, 185, 176];
const ECHO = [16, 104, 201, 141];
const TIME = [176, 14, 208, 47];
// The idle window's lines of text but the letter's, each as far as its ink reaches.
const IDLE_TEXT = {
  'HI-SCORE': [24, 0, 80, 12], 'SCORE': [40, 46, 80, 58], TIME: [170, 0, 210, 12], LEVEL: [170, 46, 210, 58], '20': TIME,
  'A - A': ECHO, 'START ': STATUS, version: [120, 184, 210, 197], credit: [64, 200, 210, 212],
};

// A phone as a player holds it: 393 CSS pixels wide at a device pixel ratio of 2.75.
const PHONE = { width: 393, height: 851, deviceScaleFactor: 2.75, isMobile: true, hasTouch: true };
const withoutEditContext = () => { delete globalThis.EditContext; };

let browser, engine;

// Firefox's WebDriver BiDi sets a viewport and its ratio, but has no phone emulation (touch, a
// mobile layout viewport), and W3C WebDriver sets neither: there the phone is its size (and
// ratio), and a tap is a click.
const phone = () => ({ chromium: PHONE, firefox: { width: PHONE.width, height: PHONE.height, deviceScaleFactor: PHONE.deviceScaleFactor },
  webkit: { width: PHONE.width, height: PHONE.height } })[engine];
const noEditContext = {
  firefox: 'Firefox has no edit context: the row with none is its row',
  webkit: 'WebKit has no edit context: the row with none is its row',
};
const tap = (page) => (engine === 'chromium' ? page.tap('canvas') : page.click('canvas'));

// Rows that press one key on the idle game: a miss turns the window red, anything that is not a
// character leaves it idle. The letter on display is read first, so that a row can type it.
const keyboard = [
  { name: 'the letter in lower case is a hit', keys: (l) => [l.toLowerCase()], status: 'GOOD !' },
  { name: 'the letter in upper case is a hit', keys: (l) => [['Shift', l]], status: 'GOOD !' },
  { name: 'Enter is a character (13) and misses', keys: () => ['Enter'], phase: RED },
  { name: 'Escape is a character (27) and misses', keys: () => ['Escape'], phase: RED },
  { name: 'Backspace is a character (8) and misses', keys: () => ['Backspace'], phase: RED },
  { name: 'Ctrl with a letter is a control code and misses', keys: (l) => [['Control', l === 'B' ? 'c' : 'b']], phase: RED },
  { name: 'a digit misses, and the echo line shows it', keys: () => ['7'], phase: RED, echo: (l) => `${l} - 7` },
  { name: 'Tab makes nothing and stays in the game', keys: () => ['Tab'], phase: BACKGROUND, focused: true },
  { name: 'arrows and function keys make nothing', keys: () => ['ArrowLeft', 'ArrowDown', 'F2', 'Insert', 'Home'], phase: BACKGROUND },
  { name: 'Alt with a letter makes nothing', keys: (l) => [['Alt', l.toLowerCase()]], phase: BACKGROUND },
  // What an input method commits arrives when it is committed, as code page 932 bytes, lead byte
  // first: the first misses (the echo line takes 32 off any byte above 96: 0x93 of 日 shows as
  // "s"). A character the code page lacks is "?".
  { name: "an input method's committed text arrives as characters", composing: ['\u306b', '\u65e5\u672c'], phase: RED, echo: (l) => `${l} - s` },
  { name: 'what is being composed is not typed yet', composing: ['\u306b'], commit: false, phase: BACKGROUND },
  { name: 'a character code page 932 cannot hold arrives as "?"', composing: ['\u00e9'], phase: RED, echo: (l) => `${l} - ?` },
];

// Text as an input method or a phone's keyboard sends it: composed, then committed. Chromium's
// edit context hears it from the browser itself; the page's own text field hears the events a
// keyboard that composes sends (those of Android's: keydown 229, then composition or insertText).
async function compose(page, texts, commit = true) {
  if (await page.evaluate(() => typeof EditContext === 'function')) {
    const ime = await page.createCDPSession();
    for (const text of texts) await ime.send('Input.imeSetComposition', { text, selectionStart: text.length, selectionEnd: text.length });
    if (commit) await ime.send('Input.insertText', { text: texts.at(-1) });
    return;
  }
  await page.evaluate((texts, commit) => {
    const field = document.activeElement;
    field.dispatchEvent(new KeyboardEvent('keydown', { key: 'Unidentified', keyCode: 229, bubbles: true }));
    field.dispatchEvent(new CompositionEvent('compositionstart', { data: '', bubbles: true }));
    for (const text of texts) {
      field.dispatchEvent(new InputEvent('beforeinput', { inputType: 'insertCompositionText', data: text, isComposing: true, bubbles: true }));
      field.value = text;
      field.dispatchEvent(new InputEvent('input', { inputType: 'insertCompositionText', data: text, isComposing: true, bubbles: true }));
    }
    if (commit) field.dispatchEvent(new CompositionEvent('compositionend', { data: texts.at(-1), bubbles: true }));
  }, texts, commit);
}

// One character as a phone's keyboard types it: keydown 229, then the text to insert.
async function softKey(page, text) {
  if (await page.evaluate(() => typeof EditContext === 'function')) {
    const cdp = await page.createCDPSession();
    await cdp.send('Input.dispatchKeyEvent', { type: 'rawKeyDown', windowsVirtualKeyCode: 229, key: 'Unidentified' });
    await cdp.send('Input.insertText', { text });
    await cdp.send('Input.dispatchKeyEvent', { type: 'keyUp', windowsVirtualKeyCode: 229, key: 'Unidentified' });
    return;
  }
  await page.evaluate((text) => {
    const field = document.activeElement;
    field.dispatchEvent(new KeyboardEvent('keydown', { key: 'Unidentified', keyCode: 229, bubbles: true }));
    const insert = new InputEvent('beforeinput', { inputType: 'insertText', data: text, cancelable: true, bubbles: true });
    if (field.dispatchEvent(insert)) field.value += text;  // what a field does when nothing takes the text
    field.dispatchEvent(new KeyboardEvent('keyup', { key: 'Unidentified', keyCode: 229, bubbles: true }));
  }, text);
}

// Whether the page's handler took each key from the browser: read after it, as the event bubbles.
async function pressedKept(page, keys) {
  await page.evaluate(() => {
    if (!window.kept) window.addEventListener('keydown', (e) => window.kept.push(`${e.key}:${e.defaultPrevented}`));
    window.kept = [];
  });
  for (const key of keys) await press(page, key);
  return page.evaluate(() => window.kept.filter((k) => !/^(Control|Shift):/.test(k)));
}

// The white HI-SCORE box is filled to whole device pixels: grey right up to its white, to the
// left of it and above it.
async function whiteBoxEdges(page) {
  const { width, data } = await canvasPixels(page);
  const at = (x, y) => data[(y * width + x) * 4];
  const white = data.findIndex((v, i) => i % 4 === 0 && v === 0xFF) / 4;
  const [left, top] = [white % width, Math.floor(white / width)];
  return [at(left - 1, top + 2), at(left, top + 2), at(left + 2, top - 1), at(left + 2, top)];
}

async function press(page, key) {
  if (!Array.isArray(key)) return page.keyboard.press(key);
  const [modifier, k] = key;
  await page.keyboard.down(modifier);
  await page.keyboard.press(k);
  await page.keyboard.up(modifier);
}

const rows = [
  {
    name: 'starts from file:// with a 212x212 canvas at device pixel ratio 1, on a page titled QUILLET with its icon',
    async run() {
      const page = await openPage(browser, game);
      const size = await page.$eval('canvas', (c) => [c.width, c.height, c.getBoundingClientRect().width, c.getBoundingClientRect().height]);
      assert.deepEqual(size, [212, 212, 212, 212]);
      assert.equal(await page.title(), 'QUILLET');
      assert.match(await page.$eval('link[rel=icon]', (l) => l.href), /^data:image\/png;base64,/);
      assert.ok(await hasKeyboard(page));
    },
  },
  {
    name: 'at device pixel ratio 2 the canvas has as many device pixels as the desktop at 192 dpi, drawn sharp',
    notIn: { webkit: 'WebDriver cannot set a device pixel ratio' },
    async run() {
      const page = await openPage(browser, game, { ratio: 2 });
      const size = await page.$eval('canvas', (c) => [c.width, c.height, c.getBoundingClientRect().width, c.getBoundingClientRect().height]);
      assert.deepEqual(size, [433, 424, 216.5, 212]);
      assert.deepEqual(await whiteBoxEdges(page), [0xC0, 0xFF, 0xC0, 0xFF]);
    },
  },
  {
    name: "the idle screen is the desktop's: every fill exactly, the text by its ink",
    async run(t) {
      const page = await openPage(browser, game);
      const web = await canvasPixels(page);
      const desktop = await canvasPixels(page, desktopIdle);
      // The letter is drawn by chance; everything else is the same text in the same places.
      const { fillsDiffering, inkDiffering, ink } = inkDifference(web, desktop, [LETTER]);
      t.diagnostic(`${engine}: ${fillsDiffering} fill pixels and ${inkDiffering} of ${ink} ink pixels differ`);
      assert.equal(fillsDiffering, 0, 'pixels where both builds fill');
      // Every line of text is where the desktop has it, to the pixel.
      for (const [name, rect] of Object.entries(IDLE_TEXT)) assert.deepEqual(inkShift(desktop, web, rect), [0, 0], name);
      // Canvas text is antialiased differently from FreeType's: a glyph's edge may fall either way.
      // WebKit's is lighter (its thin strokes are less than half covered) by as much again.
      const bound = engine === 'webkit' ? 0.25 : 0.12;
      assert.ok(inkDiffering <= ink * bound, `${inkDiffering} of ${ink} ink pixels differ`);
    },
  },
  {
    name: 'a hit shows GOOD ! and the next letter; a miss turns the window red and idle again after two seconds',
    async run() {
      const page = await openPage(browser, game);
      const letter = await readLetter(page, LETTER);
      await page.keyboard.press(letter.toLowerCase());
      assert.ok(await renderLike(page, STATUS, -24, 'GOOD !', 'center'));
      const next = await readLetter(page, LETTER);
      assert.ok(await renderLike(page, ECHO, -37, `${letter} - ${letter}`, 'center'));
      await page.keyboard.press(next === 'Z' ? 'y' : 'z');
      await waitForPhase(page, RED, 500);
      assert.ok(await renderLike(page, STATUS, -24, 'MISS TYPING !', 'center'));
      const redAt = Date.now();
      await waitForPhase(page, BACKGROUND, 4000);
      const after = Date.now() - redAt;
      assert.ok(after > 1700 && after < 3000, `idle again after ${after} ms`);
    },
  },
  {
    name: 'a letter left untyped ends the game with TIME OVER !',
    async run() {
      const page = await openPage(browser, game);
      await page.keyboard.press((await readLetter(page, LETTER)).toLowerCase());
      // Twenty ticks of 655 ms.
      await waitForPhase(page, RED, 16000);
      assert.ok(await renderLike(page, STATUS, -24, 'TIME OVER !', 'center'));
      assert.ok(await renderLike(page, TIME, -32, '0', 'right'));
    },
  },
  ...keyboard.map((row) => ({
    name: `keyboard: ${row.name}`,
    async run() {
      const page = await openPage(browser, game);
      const letter = await readLetter(page, LETTER);
      if (row.composing) await compose(page, row.composing, row.commit !== false);
      for (const key of row.keys?.(letter) ?? []) await press(page, key);
      if (row.status) assert.ok(await renderLike(page, STATUS, -24, row.status, 'center'), row.status);
      if (row.phase === RED) await waitForPhase(page, RED, 500);
      if (row.phase === BACKGROUND) {
        // Nothing is to happen; a character would have turned the window red as it was handled.
        await waitUntilHandled(page);
        assert.ok(await renderLike(page, STATUS, -24, 'START ', 'center'), 'still START');
        await waitForPhase(page, BACKGROUND, 0);
      }
      if (row.echo) assert.ok(await renderLike(page, ECHO, -37, row.echo(letter), 'center'), row.echo(letter));
      if (row.focused) assert.ok(await hasKeyboard(page));
    },
  })),
  {
    name: "the browser's own keys are the game's: F1 to F12 and Alt alone make nothing, Ctrl+R, L, F, P and S miss",
    async run() {
      const page = await openPage(browser, game);
      const nothing = [...Array.from({ length: 12 }, (_, i) => `F${i + 1}`), 'Alt'];
      assert.deepEqual(await pressedKept(page, nothing), nothing.map((key) => `${key}:true`));
      await waitUntilHandled(page);
      assert.ok(await renderLike(page, STATUS, -24, 'START ', 'center'), 'still START');
      await waitForPhase(page, BACKGROUND, 0);
      const chords = ['r', 'l', 'f', 'p', 's'];
      assert.deepEqual(await pressedKept(page, chords.map((key) => ['Control', key])), chords.map((key) => `${key}:true`));
      await waitForPhase(page, RED, 500);
      assert.ok(await hasKeyboard(page));
    },
  },
  {
    name: 'a device pixel ratio that changes while playing is followed: laid out again for it, sharp, the game where it was',
    notIn: { webkit: 'WebDriver cannot set a device pixel ratio' },
    async run() {
      const page = await openPage(browser, game);
      await page.keyboard.press((await readLetter(page, LETTER)).toLowerCase());
      assert.ok(await renderLike(page, STATUS, -24, 'GOOD !', 'center'));
      for (const [ratio, width] of [[1.25, 0], [2, 433]]) {
        // As a zoom does it: the window keeps its device pixels, and has fewer CSS pixels.
        await page.setViewport({ width: Math.round(600 / ratio), height: Math.round(400 / ratio), deviceScaleFactor: ratio });
        await page.waitForFunction((r) => Math.abs(document.querySelector('canvas').getBoundingClientRect().width * r - document.querySelector('canvas').width) < 0.05 &&
          document.querySelector('canvas').width > 212 * r - 8, { timeout: 2000, polling: 10 }, ratio);
        if (width) {
          const size = await page.$eval('canvas', (c) => [c.width, c.height, c.getBoundingClientRect().width, c.getBoundingClientRect().height]);
          assert.deepEqual(size, [433, 424, 216.5, 212], 'as a page opened at this ratio');
        }
      }
      assert.deepEqual(await whiteBoxEdges(page), [0xC0, 0xFF, 0xC0, 0xFF]);
      // The same game: its status, in the fonts of the new ratio, and the next key is judged.
      assert.ok(await renderLike(page, STATUS.map((v) => v * 2), -48, 'GOOD !', 'center'), 'GOOD ! at ratio 2');
      await page.keyboard.press('7');
      await waitForPhase(page, RED, 500);
    },
  },
  ...[1.1, 1.25, 1.5].map((ratio) => ({
    name: `at device pixel ratio ${ratio} the canvas is laid out for it and shown one canvas pixel to a device pixel`,
    notIn: { webkit: 'WebDriver cannot set a device pixel ratio' },
    async run() {
      const page = await openPage(browser, game, { ratio });
      const [width, height, shownWidth, shownHeight] = await page.$eval('canvas', (c) => [c.width, c.height, c.getBoundingClientRect().width, c.getBoundingClientRect().height]);
      assert.ok(Math.abs(shownWidth * ratio - width) < 0.05 && Math.abs(shownHeight * ratio - height) < 0.05,
        `${width}x${height} shown at ${shownWidth}x${shownHeight} CSS pixels`);
      assert.ok(width > 212 && height > 212, `${width}x${height} device pixels`);
    },
  })),
  ...[['', null], [' with no edit context', withoutEditContext]].flatMap(([how, before]) => [
    {
      name: `on a phone${how} the game is centred, laid out for its ratio, and a tap brings up the keyboard, whose keys miss`,
      notIn: before ? {} : noEditContext,
      async run() {
        const page = await openPage(browser, game, { viewport: phone(), before: engine === 'chromium' ? before : undefined });
        const shown = await page.evaluate(() => {
          const canvas = document.querySelector('canvas');
          const box = canvas.getBoundingClientRect();
          return { width: canvas.width, box: [box.left, box.top, box.width, box.height], page: [innerWidth, innerHeight], ratio: devicePixelRatio };
        });
        const [left, top, width, height] = shown.box;
        // MiniBrowser's window is no narrower than its toolbar: there the page is as wide as that.
        if (engine !== 'webkit') assert.equal(shown.page[0], PHONE.width, 'the layout viewport is the phone\'s width');
        assert.ok(Math.abs(left + width / 2 - shown.page[0] / 2) <= 0.5 && Math.abs(top + height / 2 - shown.page[1] / 2) <= 0.5,
          `centred: ${shown.box} in ${shown.page}`);
        assert.ok(Math.abs(width * shown.ratio - shown.width) < 0.05, `${shown.width} device pixels shown at ${width}`);
        await page.evaluate(() => document.activeElement?.blur());
        await tap(page);
        assert.ok(await hasKeyboard(page));
        if (before) assert.equal(await page.evaluate(() => document.activeElement?.tagName), 'INPUT');
        await softKey(page, '7');
        await waitForPhase(page, RED, 500);
      },
    },
    {
      name: `on a phone${how} a letter typed on its keyboard hits, and a composed word misses`,
      notIn: before ? {} : noEditContext,
      async run() {
        const page = await openPage(browser, game, { viewport: { ...phone(), deviceScaleFactor: 1 }, before: engine === 'chromium' ? before : undefined });
        await tap(page);
        const letter = await readLetter(page, LETTER);
        await softKey(page, letter.toLowerCase());
        assert.ok(await renderLike(page, STATUS, -24, 'GOOD !', 'center'), 'GOOD !');
        const next = await readLetter(page, LETTER);
        await compose(page, ['\u306b', '\u65e5\u672c']);
        await waitForPhase(page, RED, 500);
        assert.ok(await renderLike(page, ECHO, -37, `${next} - s`, 'center'), 'the echo line');
        assert.equal(await page.evaluate(() => document.activeElement.value ?? ''), '', 'the field keeps no text');
      },
    },
  ]),
  {
    name: 'a refused timer shows the modal error box: caption, stop sign, text and OK; the game goes on',
    async run() {
      const page = await openPage(browser, `${failing}?timer:0:-1`);
      await page.keyboard.press((await readLetter(page, LETTER)).toLowerCase());
      await page.waitForSelector('dialog[open]', { timeout: 2000 });
      const box = await page.$eval('dialog', (d) => ({
        caption: d.querySelector('h1').textContent, text: d.querySelector('p').textContent,
        sign: !!d.querySelector('svg circle'), focused: document.activeElement?.textContent,
      }));
      assert.deepEqual(box, { caption: 'QUILLET', text: '\uff80\uff72\uff8f\uff70\u3092\u53d6\u5f97\u3067\u304d\u307e\u305b\u3093.', sign: true, focused: 'OK' });
      // Painting went on: the hit's changes are on the canvas under the box.
      assert.ok(await renderLike(page, STATUS, -24, 'GOOD !', 'center'));
      // Keys reach the box, not the game: a digit would be a miss.
      await page.keyboard.press('7');
      await waitForPhase(page, BACKGROUND, 0);
      await page.keyboard.press('Enter');
      await page.waitForSelector('dialog:not([open])', { timeout: 2000 });
      assert.ok(await hasKeyboard(page));
      // The game takes keys again: a miss needs the refused timer too, so the box comes back.
      await page.keyboard.press('Escape');
      await page.waitForSelector('dialog[open]', { timeout: 2000 });
      // A key typed as the box closes, before the dialog's own close event, is still the game's.
      await page.evaluate(() => {
        document.querySelector('dialog').close();
        const canvas = document.querySelector('canvas');
        (canvas.keys ?? canvas).dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape', keyCode: 27, bubbles: true }));
      });
      await page.waitForSelector('dialog[open]', { timeout: 2000 });
    },
  },
  {
    name: 'served over HTTP it plays the same',
    async run() {
      const server = createServer((request, response) => {
        response.writeHead(200, { 'content-type': 'text/html' });
        response.end(readFileSync(path.join(webDir, 'quillet.html')));
      });
      await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
      try {
        const page = await openPage(browser, `http://127.0.0.1:${server.address().port}/quillet.html`);
        await page.keyboard.press('Escape');
        await waitForPhase(page, RED, 500);
      } finally {
        server.close();
      }
    },
  },
  {
    name: 'a browser without WebAssembly gets one line on the page and no canvas',
    notIn: { webkit: "WebDriver runs no script ahead of the page's own" },
    async run() {
      const page = await openPage(browser, game, { before: () => { delete globalThis.WebAssembly; }, started: false });
      assert.match(await page.$eval('#status', (s) => s.textContent), /^QUILLET cannot run in this browser: it lacks WebAssembly\.$/);
      assert.equal(await page.$('canvas'), null);
    },
  },
  {
    name: 'a window face that does not load is said on the page',
    notIn: { webkit: "WebDriver runs no script ahead of the page's own" },
    async run() {
      const before = () => { FontFace.prototype.load = () => Promise.reject(new Error('refused')); };
      const page = await openPage(browser, game, { before, started: false });
      await page.waitForFunction(() => document.getElementById('status').textContent !== '', { timeout: 5000 });
      assert.match(await page.$eval('#status', (s) => s.textContent), /window font .* does not load/);
      assert.equal(await page.$('canvas'), null);
    },
  },
];

// QUILLET_ROWS (a pattern) picks rows while working on them.
const only = process.env.QUILLET_ROWS ? new RegExp(process.env.QUILLET_ROWS) : null;

// Every row in every engine, each with the browser to itself: the pages it opened are closed after it.
for (const name of ENGINES) {
  test(`in ${name}`, { timeout: 900000 }, async (t) => {
    engine = name;
    browser = await openBrowser(name);
    try {
      for (const row of rows.filter((r) => !only || only.test(r.name))) {
        await t.test(row.name, { timeout: 30000, skip: row.notIn?.[name] ?? false }, async (st) => {
          const before = new Set(await browser.pages());
          try {
            await row.run(st);
          } finally {
            for (const page of await browser.pages()) if (!before.has(page)) await page.close();
          }
        });
      }
    } finally {
      await browser.close();
    }
  });
}
