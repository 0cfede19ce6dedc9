// Plays scripted sessions in the pages of the web build, in headless Chromium, and compares every
// snapshot the page keeps (its canvas's pixels) with the native headless build's PNG of the same
// session, pixel for pixel: any difference fails.
//
// Usage: node web_pixels.mjs BASE_URL MANIFEST OUT_DIR
//   MANIFEST: JSON list of {page, script, native: {SNAPSHOT_NAME: PNG_PATH}}; page and script are
//   paths under BASE_URL. Differing web snapshots are written to OUT_DIR.
// Prints one line a snapshot and a closing "N passed, N failed"; exits 1 on any failure.
import { launchBrowser, decodePng } from './web_browser.mjs';

import fs from 'node:fs';
import path from 'node:path';

const [baseUrl, manifestPath, outDir] = process.argv.slice(2);
const manifest = JSON.parse(fs.readFileSync(manifestPath, 'utf8'));
const pageTimeoutMs = 90000;

function compare(web, native) {
  if (web.width !== native.width || web.height !== native.height)
    return `size ${web.width}x${web.height}, native ${native.width}x${native.height}`;
  let differing = 0;
  for (let i = 0; i < web.width * web.height; i++) {
    const w = i * 4, n = i * 4;
    if (web.rgba[w] !== native.rgba[n] || web.rgba[w + 1] !== native.rgba[n + 1] ||
        web.rgba[w + 2] !== native.rgba[n + 2] || web.rgba[w + 3] !== 255)
      differing++;
  }
  return differing === 0 ? '' : `${differing} pixels differ`;
}

async function playSession(browser, session) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  const url = `${baseUrl}/${session.page}?script=${encodeURIComponent(`${baseUrl}/${session.script}`)}`;
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.zg && Module.zg.done, { timeout: pageTimeoutMs });
  const result = await page.evaluate(() => ({ snapshots: Module.zg.snapshots, status: Module.zg.exitStatus }));
  await page.close();
  return { ...result, errors };
}

function checkSnapshots(session, played, counts) {
  for (const [name, nativePath] of Object.entries(session.native)) {
    const label = `${session.page} ${name}`;
    const dataUrl = played.snapshots[name];
    let problem = dataUrl ? '' : 'the page kept no such snapshot';
    if (!problem) {
      const web = decodePng(Buffer.from(dataUrl.split(',')[1], 'base64'));
      problem = compare(web, decodePng(fs.readFileSync(nativePath)));
      if (problem) fs.writeFileSync(path.join(outDir, `web-${path.basename(name)}`), Buffer.from(dataUrl.split(',')[1], 'base64'));
    }
    console.log(problem ? `FAIL ${label}: ${problem}` : `ok   ${label}`);
    counts[problem ? 'failed' : 'passed']++;
  }
  if (played.errors.length > 0 || played.status !== 0) {
    console.log(`FAIL ${session.page}: exit status ${played.status}, page errors: ${played.errors.join('; ')}`);
    counts.failed++;
  }
}

const counts = { passed: 0, failed: 0 };
fs.mkdirSync(outDir, { recursive: true });
const browser = await launchBrowser();
try {
  for (const session of manifest) {
    try {
      checkSnapshots(session, await playSession(browser, session), counts);
    } catch (e) {
      console.log(`FAIL ${session.page}: ${e.message}`);
      counts.failed++;
    }
  }
} finally {
  await browser.close();
}
console.log(`web pixels: ${counts.passed} passed, ${counts.failed} failed`);
process.exit(counts.failed === 0 ? 0 : 1);
