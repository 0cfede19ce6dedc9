// A visitor's session, no script: the page loads on the real clock, the mouse rests on the panel,
// the canvas is photographed, "+" of the angle is clicked, the canvas is photographed again; both
// pictures must equal the native headless snapshots of the same session (tests/web/sessions/
// live.script), and the first frame must be drawn within 3 s of the navigation.
// Usage: node web_live.mjs BASE_URL START_PNG AFTER_CLICK_PNG OUT_DIR
import { launchBrowser, decodePng } from './web_browser.mjs';

import fs from 'node:fs';
import path from 'node:path';

const [baseUrl, startPng, afterPng, outDir] = process.argv.slice(2);
let passed = 0, failed = 0;

function same(shot, nativePath, label) {
  const web = decodePng(shot), native = decodePng(fs.readFileSync(nativePath));
  let differing = web.width === native.width && web.height === native.height ? 0 : -1;
  for (let i = 0; differing >= 0 && i < web.rgba.length; i += 4) {
    if (web.rgba[i] !== native.rgba[i] || web.rgba[i + 1] !== native.rgba[i + 1] || web.rgba[i + 2] !== native.rgba[i + 2])
      differing++;
  }
  const ok = differing === 0;
  if (!ok) fs.writeFileSync(path.join(outDir, `live-${label}.png`), shot);
  console.log(ok ? `ok   live ${label}` : `FAIL live ${label}: ${differing < 0 ? 'size differs' : `${differing} pixels differ`}`);
  ok ? passed++ : failed++;
}

const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
fs.mkdirSync(outDir, { recursive: true });
const browser = await launchBrowser();
try {
  const page = await browser.newPage();
  const started = Date.now();
  await page.goto(`${baseUrl}/site/gyroscope.html`);
  await page.waitForFunction(() => window.Module && Module.zg && Module.zg.firstFrameMs !== null, { timeout: 3000 });
  const firstFrame = Date.now() - started;
  console.log(`${firstFrame <= 3000 ? 'ok  ' : 'FAIL'} live first frame ${firstFrame} ms after navigation`);
  firstFrame <= 3000 ? passed++ : failed++;
  const canvas = await page.$('canvas');
  const box = await canvas.boundingBox();
  await page.mouse.move(box.x + 100, box.y + 300);
  await pause(500);
  same(await canvas.screenshot(), startPng, 'start');
  await page.mouse.click(box.x + 120, box.y + 125);
  await pause(500);
  same(await canvas.screenshot(), afterPng, 'angle-plus');
} finally {
  await browser.close();
}
console.log(`web live: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
