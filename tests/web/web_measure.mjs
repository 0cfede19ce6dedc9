// The web build's figures, in headless Chromium from a local server: the median frame of the
// simulator and the lab in the page (the program's work between two sleeps, presenting
// included, over a scripted second or more of motion), and the time from navigation to the first
// frame drawn on the canvas (no script: as a visitor loads the page).
// Usage: node web_measure.mjs BASE_URL   prints "NAME VALUE" lines.
import { launchBrowser } from './web_browser.mjs';

const baseUrl = process.argv[2];
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function frames(browser, page, script) {
  const tab = await browser.newPage();
  await tab.goto(`${baseUrl}/site/${page}?script=${encodeURIComponent(`${baseUrl}/${script}`)}`);
  await tab.waitForFunction(() => window.Module && Module.zg && Module.zg.done, { timeout: 120000 });
  const times = await tab.evaluate(() => Module.zg.frames);
  await tab.close();
  return times.slice(2);  // the first frames fill caches
}

async function firstFrame(browser, page) {
  const tab = await browser.newPage();
  await tab.setCacheEnabled(false);
  await tab.goto(`${baseUrl}/site/${page}`);
  await tab.waitForFunction(() => window.Module && Module.zg && Module.zg.firstFrameMs !== null, { timeout: 30000 });
  const ms = await tab.evaluate(() => Module.zg.firstFrameMs);
  await tab.close();
  return ms;
}

const browser = await launchBrowser();
try {
  const gyro = await frames(browser, 'gyroscope.html', 'scripts/measure-gyroscope.script');
  console.log(`gyroscope_frame_ms ${median(gyro).toFixed(3)} (${gyro.length} frames)`);
  const lab = await frames(browser, 'gyroscope_lab.html', 'scripts/measure-lab.script');
  console.log(`lab_frame_ms ${median(lab).toFixed(3)} (${lab.length} frames)`);
  for (const page of ['gyroscope.html', 'gyroscope_lab.html']) {
    const loads = [];
    for (let i = 0; i < 3; i++) loads.push(await firstFrame(browser, page));
    console.log(`${page}_first_frame_ms ${median(loads).toFixed(0)} (median of 3, cache off)`);
  }
} finally {
  await browser.close();
}
