// The browser page's benchmark (not a test): `make bench-web`. In Debian's Chromium and Firefox,
// headless, in the same run, as a player opens the file: navigation to the first frame that shows
// the window, a key to the first frame that shows its effect, and what the page weighs compressed.
//   node bench/web/bench.mjs [--runs N] [--keys N] [--engines chromium,firefox] [--json FILE] [PAGE]
// Prints a table with the goals, writes the same as JSON, and ends with 2 when a goal is missed.
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

import { openBrowser, openPage, readLetter } from '../../tests/web/support.mjs';

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  if (at < 0) return fallback;
  const [, value] = args.splice(at, 2);
  return value;
};
const runs = Number(option('--runs', 5));
const keys = Number(option('--keys', 20));
const json = option('--json', 'build/bench/web-results.json');
const engines = option('--engines', 'chromium,firefox').split(',');
const file = path.resolve(args[0] ?? 'build/web/quillet.html');
const LETTER = [88, 0, 161, 97];

// In the page, ahead of its own script: the time of the frame that first shows anything drawn on
// a canvas after a mark (navigation, or a key), by the page's own clock.
function watchFrames() {
  const fill = CanvasRenderingContext2D.prototype.fillRect;
  window.quilletFrames = { since: 0, drawnAt: null, shownAt: null };
  CanvasRenderingContext2D.prototype.fillRect = function (...rest) {
    const frames = window.quilletFrames;
    if (frames.drawnAt === null) {
      frames.drawnAt = performance.now();
      requestAnimationFrame((at) => { frames.shownAt = at; });
    }
    return fill.apply(this, rest);
  };
  addEventListener('keydown', (e) => {
    window.quilletFrames = { since: e.timeStamp, drawnAt: null, shownAt: null };
  }, true);
}

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return s[Math.floor(s.length / 2)]; };
const max = (xs) => Math.max(...xs);

// Each engine's runs, one after the other, each page opened afresh.
async function measure(engine) {
  const browser = await openBrowser(engine);
  const firstFrame = [], keyToFrame = [];
  try {
    for (let run = 0; run < runs; ++run) {
      const page = await openPage(browser, pathToFileURL(file).href, { before: watchFrames });
      firstFrame.push(await page.evaluate(() => window.quilletFrames.shownAt));
      for (let k = 0; k < keys; ++k) {
        const letter = await readLetter(page, LETTER);
        await page.keyboard.press(letter.toLowerCase());
        await page.waitForFunction(() => window.quilletFrames.shownAt !== null, { polling: 'raf', timeout: 2000 });
        keyToFrame.push(await page.evaluate(() => window.quilletFrames.shownAt - window.quilletFrames.since));
      }
      await page.close();
    }
  } finally {
    await browser.close();
  }
  return {
    navigationToFirstFrameMs: { median: median(firstFrame), max: max(firstFrame), goal: 300 },
    keyToFrameMs: { median: median(keyToFrame), max: max(keyToFrame), count: keyToFrame.length, goal: 16.7 },
  };
}

const page = readFileSync(file);
const gzipKb = gzipSync(page, { level: 9 }).length / 1024;
const results = { page: file, runs, gzipKb: { value: gzipKb, bytes: page.length, goal: 250 }, engines: {} };
for (const engine of engines) results.engines[engine] = await measure(engine);
const met = { weight: gzipKb <= 250 };
const row = (name, value, goal, ok) => console.log(`${name.padEnd(44)} ${value.padEnd(30)} ${goal.padEnd(12)} ${ok ? 'met' : 'MISSED'}`);
console.log(`${'figure'.padEnd(44)} ${'measured'.padEnd(30)} ${'goal'.padEnd(12)}`);
for (const [engine, { navigationToFirstFrameMs: start, keyToFrameMs: key }] of Object.entries(results.engines)) {
  met[`${engine} start`] = start.median <= 300;
  met[`${engine} key`] = key.median <= 16.7;
  row(`${engine}: navigation -> first frame`, `median ${start.median.toFixed(1)} ms, max ${start.max.toFixed(1)}`, '<= 300 ms', met[`${engine} start`]);
  row(`${engine}: key -> changed canvas (${key.count} hits)`, `median ${key.median.toFixed(1)} ms, max ${key.max.toFixed(1)}`, '<= 16.7 ms', met[`${engine} key`]);
}
row('page weight, gzip -9', `${gzipKb.toFixed(1)} kB (${(page.length / 1024).toFixed(1)} kB as is)`, '<= 250 kB', met.weight);
mkdirSync(path.dirname(json), { recursive: true });
writeFileSync(json, JSON.stringify(results, null, 2) + '\n');
process.exitCode = Object.values(met).every(Boolean) ? 0 : 2;
