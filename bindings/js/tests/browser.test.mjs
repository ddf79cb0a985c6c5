// SPDX-License-Identifier: MIT
// The installed package in headless Chromium: a page served on 127.0.0.1 under the policy
// script-src 'self' 'wasm-unsafe-eval' loads it and shows a few answers, with no error on the page.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { test } from 'node:test';
import { consumerDir, requireDev } from './support.mjs';

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const POLICY = "script-src 'self' 'wasm-unsafe-eval'";

function serve() {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname));
    const file = join(consumerDir, path.startsWith('/node_modules/') ? path : join('consumer', 'browser', path));
    try {
      const body = readFileSync(file);
      response.writeHead(200, { 'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream', 'Content-Security-Policy': POLICY });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

test('a page under a strict script policy loads the package in headless Chromium', async () => {
  const puppeteer = requireDev('puppeteer-core');
  const server = await serve();
  // Chromium writes its profile and caches into HOME: a scratch one, removed afterwards.
  const home = mkdtempSync(join(consumerDir, 'chromium-home-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.LUNACAL_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: join(home, 'profile'),
    env: { ...process.env, HOME: home },
    // Chromium refuses to start its sandbox as root.
    args: process.getuid?.() === 0 ? ['--no-sandbox'] : [],
  });
  try {
    const page = await browser.newPage();
    const problems = [];
    page.on('console', (message) => { if (message.type() === 'error') problems.push(message.text()); });
    page.on('pageerror', (error) => problems.push(String(error)));
    await page.goto(`http://127.0.0.1:${server.address().port}/page.html`);
    await page.waitForFunction(() => document.getElementById('answers').textContent !== '', { timeout: 20000 });
    const result = JSON.parse(await page.$eval('#answers', (element) => element.textContent));
    assert.deepEqual(problems, []);
    assert.deepEqual(result, {
      inlined: {
        lunar: { year: 2020, month: 4, day: 1, leap: true },
        pillars: { year: '己卯', month: '丙子', day: '戊午', hour: '戊午', nayin: { year: '城头土', month: '涧下水', day: '天上火', hour: '天上火' } },
        spring: { name: '立春', year: 2024, month: 2, day: 4, hour: 16, minute: 26, second: 47 },
        newYearDay: 10,
      },
      refused: 'RangeError',
      fromFile: 2020,
    });
  } finally {
    await browser.close();
    server.close();
    rmSync(home, { recursive: true, force: true });
  }
});
