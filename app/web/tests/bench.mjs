// SPDX-License-Identifier: MIT
// The web bench (not a test: it reports, it asserts no times): the size of every file the first
// visit fetches, raw and gzipped; the time from navigation to a filled window in headless
// Chromium; and the search and the chart in WebAssembly against the same program built natively,
// run now, as ratios.
//   node bench.mjs SITE_DIR TIMING_DIR [NATIVE_TIMING_PROGRAM]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve } from './serve.mjs';

const [siteDir, timingDir, nativeTiming] = process.argv.slice(2);
const puppeteer = createRequire(join(process.env.NAME_WEB_NODE_MODULES, 'index.js'))('puppeteer-core');

// The service worker fetches every file of the site on the first visit, so that is what it costs.
let raw = 0;
let gzipped = 0;
console.log('file                        raw bytes   gzip -9');
for (const name of readdirSync(siteDir).sort()) {
  const bytes = readFileSync(join(siteDir, name));
  const packed = gzipSync(bytes, { level: 9 }).length;
  raw += bytes.length;
  gzipped += packed;
  console.log(`${name.padEnd(26)} ${String(bytes.length).padStart(10)} ${String(packed).padStart(9)}`);
}
console.log(`${'all, first visit'.padEnd(26)} ${String(raw).padStart(10)} ${String(gzipped).padStart(9)}` +
  ` (${(gzipped / 1024).toFixed(0)} KiB gzipped; goal 400 KB)`);

// Chromium's HOME and TMPDIR: a scratch folder, short enough for its socket's path, removed at the end.
const scratch = mkdtempSync(join(tmpdir(), 'name-web-bench-'));
process.on('exit', () => rmSync(scratch, { recursive: true, force: true }));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: join(scratch, 'profile'),
  env: { ...process.env, HOME: scratch, TMPDIR: scratch },
  pipe: true,
  args: [...(process.getuid() === 0 ? ['--no-sandbox'] : []), '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'],
});

// Each load in a fresh context: nothing cached, no service worker yet.
const site = await serve(siteDir);
const loads = [];
for (let run = 0; run < 5; ++run) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({ width: 1000, height: 720 });
  await page.goto(site.url);
  await page.waitForSelector('body[data-ready="true"]');
  loads.push(await page.evaluate(() => performance.getEntriesByName('window-filled')[0].startTime));
  await context.close();
}
await site.close();
loads.sort((a, b) => a - b);
console.log(`navigation to a filled window, first visit: best ${loads[0].toFixed(0)} ms, ` +
  `median ${loads[2].toFixed(0)} ms of 5`);

// The two builds take turns five times, and each keeps its best, so that a moment of load on the
// machine does not decide the ratio.
const parse = (text) => {
  if (!/search_ns=\d+ chart_ns=\d+/.test(text)) throw new Error(`the timing program said: ${text}`);
  return Object.fromEntries(Array.from(text.matchAll(/(\w+)_ns=(\d+)/g), (m) => [m[1], Number(m[2])]));
};
const works = ['search', 'chart'];
const best = (runs) => Object.fromEntries(works.map((work) => [work, Math.min(...runs.map((run) => run[work]))]));
const timing = await serve(timingDir);
const wasmRuns = [];
const nativeRuns = [];
for (let turn = 0; turn < 5; ++turn) {
  const page = await browser.newPage();
  const line = new Promise((resolve) => {
    page.on('console', (message) => {
      if (/search_ns=|unreachable/.test(message.text())) resolve(message.text());
    });
  });
  await page.goto(`${timing.url}timing.html`);
  wasmRuns.push(parse(await line));
  await page.close();
  if (nativeTiming) nativeRuns.push(parse(execFileSync(nativeTiming, { encoding: 'utf8' })));
}
await browser.close();
await timing.close();

const wasm = best(wasmRuns);
console.log(`in the browser (wasm): search ${(wasm.search / 1000).toFixed(1)} µs, chart ${(wasm.chart / 1000).toFixed(2)} µs`);
if (!nativeTiming) {
  console.log('no native program given: no ratios');
} else {
  const native = best(nativeRuns);
  console.log(`native:                search ${(native.search / 1000).toFixed(1)} µs, chart ${(native.chart / 1000).toFixed(2)} µs`);
  for (const work of works) {
    console.log(`${work}: wasm / native = ${(wasm[work] / native[work]).toFixed(2)} (goal: at most 2)`);
  }
}
