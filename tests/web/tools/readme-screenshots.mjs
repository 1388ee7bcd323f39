// Not a test: takes the README's pictures of the browser page (docs/web/): in headless Chromium,
// and the idle window as Firefox and WebKitGTK draw it.
//   node tests/web/tools/readme-screenshots.mjs [WEB_BUILD_DIR]   (one with the test build in it)
import { writeFile } from 'node:fs/promises';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { openBrowser, openPage, readLetter, waitForPhase, RED } from '../support.mjs';

const dir = path.resolve(process.argv[2] ?? 'build/web');
const page = (name) => pathToFileURL(path.join(dir, name)).href;
const LETTER = [88, 0, 161, 97];
const out = (name) => path.resolve('docs/web', name);

const browser = await openBrowser();
try {
  // The window alone, as the page shows it.
  const shoot = async (p, name, margin = 0) => {
    const box = await p.$eval('canvas', (c) => { const r = c.getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; });
    await p.screenshot({ path: out(name), clip: { x: box[0] - margin, y: box[1] - margin, width: box[2] + 2 * margin, height: box[3] + 2 * margin } });
  };
  let p = await openPage(browser, page('quillet.html'));
  await shoot(p, 'idle.png');
  await p.keyboard.press('7');
  await waitForPhase(p, RED, 1000);
  await shoot(p, 'miss.png');
  p = await openPage(browser, page('quillet.html'), { ratio: 2 });
  await shoot(p, 'ratio2.png');
  p = await openPage(browser, page('quillet_failing.html') + '?timer:0:-1');
  await p.keyboard.press((await readLetter(p, LETTER)).toLowerCase());
  await p.waitForSelector('dialog[open]');
  await shoot(p, 'error-box.png', 12);
  // A phone, the whole of its screen.
  p = await browser.newPage();
  await p.setViewport({ width: 393, height: 851, deviceScaleFactor: 2.75, isMobile: true, hasTouch: true });
  await p.goto(page('quillet.html'));
  await waitForPhase(p, 0xC0C0C0, 5000);
  await p.screenshot({ path: out('phone.png') });
} finally {
  await browser.close();
}

// The canvas itself, as each engine drew it.
for (const engine of ['chromium', 'firefox', 'webkit']) {
  const other = await openBrowser(engine);
  try {
    const p = await openPage(other, page('quillet.html'));
    const png = await p.evaluate(() => document.querySelector('canvas').toDataURL('image/png'));
    await writeFile(out(`idle-${engine}.png`), Buffer.from(png.split(',')[1], 'base64'));
  } finally {
    await other.close();
  }
}
