// What the page's tests and the benchmark share: Debian's Chromium and Firefox driven headless
// (Chromium over its DevTools protocol, Firefox over WebDriver BiDi) and WebKitGTK on a display of
// its own (W3C WebDriver, webdriver.mjs), pages opened and waited for,
// and the window read back from the canvas. Text is read by drawing candidates in
// the same page with the same face, the same metrics and the same whole-pixel pen positions as the
// program, and comparing ink.
import puppeteer from 'puppeteer-core';

import { openWebKit } from './webdriver.mjs';

export const BACKGROUND = 0xC0C0C0;  // the button face the window is drawn on
export const RED = 0xFF0000;         // a game over, as 0xRRGGBB
const PHASE_PIXEL = [2, 100];        // left of every label: always the window's own colour

// The engines the suite can drive, as QUILLET_ENGINES names them (all by default).
export const ENGINES = (process.env.QUILLET_ENGINES ?? 'chromium,firefox,webkit').split(',').filter(Boolean);

export async function openBrowser(engine = 'chromium') {
  if (engine === 'firefox') {
    return puppeteer.launch({
      browser: 'firefox',
      executablePath: process.env.QUILLET_FIREFOX ?? '/usr/bin/firefox-esr',
      headless: true,
    });
  }
  if (engine === 'webkit') return openWebKit();
  if (engine !== 'chromium') throw new Error(`no engine called ${engine}`);
  return puppeteer.launch({
    executablePath: process.env.QUILLET_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    // Root has no sandbox to drop into; file:// pages here open nothing but themselves.
    args: ['--no-sandbox', '--disable-gpu', '--font-render-hinting=none', '--allow-file-access-from-files'],
  });
}

// A new page with the program started in it: the canvas on screen, painted and focused.
// `before` runs in the page ahead of its own script; `started: false` waits for the page only.
// `viewport` replaces the desktop-sized one (a phone's, with touch where the engine has it).
export async function openPage(browser, url, { ratio = 1, viewport, before, started = true } = {}) {
  const page = await browser.newPage();
  page.on('pageerror', (error) => console.error('page error:', error.message));
  await page.setViewport(viewport ?? { width: 600, height: 400, deviceScaleFactor: ratio });
  if (before) await page.evaluateOnNewDocument(before);
  await page.goto(url, { waitUntil: 'load' });
  if (started) await waitForPhase(page, BACKGROUND, 5000);
  return page;
}

// Whether what has the keyboard for the game has the focus: the canvas, or the page's own text
// field in its place where the engine has no edit context.
export async function hasKeyboard(page) {
  return page.evaluate(() => {
    const canvas = document.querySelector('canvas');
    return !!canvas && document.activeElement === (canvas.keys ?? canvas);
  });
}

// Waits until the window's colour is `rgb`; a timeout of 0 asks whether it is now.
export async function waitForPhase(page, rgb, timeout) {
  const check = ([x, y, want]) => {
    const canvas = document.querySelector('canvas:not([hidden])');
    if (!canvas) return false;
    const [r, g, b] = canvas.getContext('2d').getImageData(x, y, 1, 1).data;
    return (r << 16 | g << 8 | b) === want;
  };
  if (timeout === 0) {
    const now = await page.evaluate(check, [...PHASE_PIXEL, rgb]);
    if (!now) throw new Error(`the window is not #${rgb.toString(16)}`);
    return;
  }
  await page.waitForFunction(check, { timeout, polling: 10 }, [...PHASE_PIXEL, rgb]);
}

// Waits until the program has taken every input the page has seen, handled it and painted what
// it changed, and waits for more (see QuilletPage.wake): what the keys before did is on the canvas.
export async function waitUntilHandled(page, timeout = 1000) {
  await page.waitForFunction(() => QuilletPage.events.length === 0 && QuilletPage.wake !== null, { timeout, polling: 10 });
}

// The canvas's pixels as RGBA, or those of an image (a data: address) drawn at its own size.
export async function canvasPixels(page, image) {
  return page.evaluate(async (src) => {
    let source = document.querySelector('canvas');
    if (src) {
      const img = new Image();
      img.src = src;
      await img.decode();
      source = document.createElement('canvas');
      source.width = img.width;
      source.height = img.height;
      source.getContext('2d').drawImage(img, 0, 0);
    }
    const data = source.getContext('2d').getImageData(0, 0, source.width, source.height).data;
    return { width: source.width, height: source.height, data: Array.from(data) };
  }, image ?? null);
}

// Compares two screens of the same size outside `skip` rectangles. A pixel is ink where it is
// neither the window's grey nor white; where neither screen has ink within a pixel's reach, both
// must be the same fill exactly.
export function inkDifference(a, b, skip) {
  const { width, height } = a;
  if (a.width !== b.width || a.height !== b.height) throw new Error('the screens differ in size');
  const grey = (s, i) => s.data[i * 4];
  const isInk = (s, x, y) => {
    const v = grey(s, y * width + x);
    return v !== 0xC0 && v !== 0xFF;
  };
  const near = (s, x, y) => {
    for (let dy = -1; dy <= 1; ++dy) for (let dx = -1; dx <= 1; ++dx) {
      const nx = x + dx, ny = y + dy;
      if (nx >= 0 && ny >= 0 && nx < width && ny < height && isInk(s, nx, ny)) return true;
    }
    return false;
  };
  let fillsDiffering = 0, inkDiffering = 0, ink = 0;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      if (skip.some(([l, t, r, b2]) => x >= l && x < r && y >= t && y < b2)) continue;
      const i = y * width + x;
      const dark = (s) => grey(s, i) < 0x80;  // the ink mask: more than half covered
      if (dark(a) || dark(b)) ++ink;
      if (dark(a) !== dark(b)) ++inkDiffering;
      if (!near(a, x, y) && !near(b, x, y) && grey(a, i) !== grey(b, i)) ++fillsDiffering;
    }
  }
  return { fillsDiffering, inkDiffering, ink };
}

// How far the ink in `rect` [left, top, right, bottom] of screen b lies from where screen a has
// it: the shift of up to two pixels either way that leaves the fewest ink pixels differing.
export function inkShift(a, b, [l, t, r, bottom]) {
  const dark = (s, x, y) => s.data[(y * s.width + x) * 4] < 0x80;
  let best = [Infinity, 0, 0];
  for (let dy = -2; dy <= 2; ++dy) for (let dx = -2; dx <= 2; ++dx) {
    let differing = 0;
    for (let y = t; y < bottom; ++y) for (let x = l; x < r; ++x) if (dark(a, x, y) !== dark(b, x + dx, y + dy)) ++differing;
    if (differing < best[0] || (differing === best[0] && dx === 0 && dy === 0)) best = [differing, dx, dy];
  }
  return best.slice(1);
}

// Whether the canvas shows `text` as a label of the window draws it in the rectangle [left, top,
// right, bottom] (font height as the layout gives it, at 96 dpi), on the label's own colour:
// within a few antialiased pixels. Runs in the page, with the page's face and metrics.
function matches([rect, height, text, align]) {
  const [l, t, r, b] = rect;
  const w = r - l, h = b - t;
  const game = document.querySelector('canvas').getContext('2d');
  const shown = game.getImageData(l, t, w, h).data;
  const drawn = document.createElement('canvas');
  drawn.width = w;
  drawn.height = h;
  const context = drawn.getContext('2d', { alpha: false });
  context.fillStyle = `rgb(${shown[0]},${shown[1]},${shown[2]})`;
  context.fillRect(0, 0, w, h);
  const em = -height;
  const scaled = (units) => { const twice = Math.trunc(units * em * 2 / QuilletFace.unitsPerEm); return Math.trunc((twice + 1) / 2); };
  const advance = (c) => QuilletPage.advance(em, false, c);
  const chars = [...text];
  const lineWidth = chars.reduce((sum, c) => sum + advance(c), 0);
  let x = align === 'center' ? Math.trunc((w - lineWidth) / 2) : align === 'right' ? w - lineWidth : 0;
  context.font = `${em}px QuilletFace`;
  context.fillStyle = '#000';
  for (const c of chars) {
    context.fillText(c, x, scaled(QuilletFace.winAscent));
    x += advance(c);
  }
  const mine = context.getImageData(0, 0, w, h).data;
  let differing = 0;
  for (let i = 0; i < mine.length; i += 4) if (Math.abs(mine[i] - shown[i]) > 64) ++differing;
  return differing <= 3;
}

// Waits until the canvas shows `text` so (see matches); false after `timeout` ms.
export async function renderLike(page, rect, height, text, align, timeout = 1000) {
  try {
    await page.waitForFunction(matches, { timeout, polling: 10 }, [rect, height, text, align]);
    return true;
  } catch {
    return false;
  }
}

// The target letter: whichever of A to Z, drawn as the letter label draws it, is on the canvas.
export async function readLetter(page, rect) {
  for (const letter of 'ABCDEFGHIJKLMNOPQRSTUVWXYZ') {
    if (await page.evaluate(matches, [rect, -96, letter, 'center'])) return letter;
  }
  throw new Error('no letter from A to Z is on display');
}
