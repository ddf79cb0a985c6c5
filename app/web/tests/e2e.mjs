// SPDX-License-Identifier: MIT
// The page end to end in headless Chromium, served under its content security policy: one case per
// run, named on the command line, so CTest lists and runs them one by one. Any error of the page
// (an exception, a console error, a policy violation) or any request outside the page's origin
// fails the case.
//   node e2e.mjs SITE_DIR CASE, with NAME_WEB_NODE_MODULES the node_modules folder of
//   package-lock.json as npm ci installs it.
import assert from 'node:assert/strict';
import { mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { serve } from './serve.mjs';

const [siteDir, caseName] = process.argv.slice(2);
if (process.env.NAME_WEB_SCREENSHOTS) mkdirSync(process.env.NAME_WEB_SCREENSHOTS, { recursive: true });
const puppeteer = createRequire(join(process.env.NAME_WEB_NODE_MODULES, 'index.js'))('puppeteer-core');
const MAKER = 'https://www.example.com/';
const PHONE = { width: 360, height: 640, isMobile: true, hasTouch: true, deviceScaleFactor: 1 };
const DESKTOP = { width: 1000, height: 720 };

// Chromium writes its profile and caches into HOME and TMPDIR: a scratch folder of each run,
// removed at the end, short enough for the path of Chromium's socket in it (at most 107 bytes).
const home = mkdtempSync(join(tmpdir(), 'name-web-'));
process.on('exit', () => rmSync(home, { recursive: true, force: true }));

async function launch() {
  const dir = mkdtempSync(join(home, 'browser-'));
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: join(dir, 'profile'),
    env: { ...process.env, HOME: dir, TMPDIR: dir },
    // The DevTools protocol over a pipe, so that nothing but the page needs the loopback.
    pipe: true,
    args: [
      // Chromium refuses to start its sandbox as root.
      ...(process.getuid() === 0 ? ['--no-sandbox'] : []),
      // Nothing leaves the machine: every other host is unknown, which the test also watches for.
      '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
      '--no-first-run', '--no-default-browser-check', '--disable-background-networking',
    ],
  });
}

// A browser, a server and a page that fail the case on any page error or foreign request; the
// maker's site may be asked for only where `makerAllowed` says so.
async function start({ viewport = DESKTOP, lunacal = 'present', makerAllowed = false } = {}) {
  const server = await serve(siteDir, { lunacal });
  let browser;
  try {
    browser = await launch();
  } catch (error) {
    await server.close();
    throw error;
  }
  const page = await browser.newPage();
  const problems = [];
  const maker = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
  });
  const origin = new URL(server.url).origin;
  const watch = (request) => {
    const url = request.url();
    if (url.startsWith('data:') || url.startsWith(origin)) return;
    if (url === MAKER && makerAllowed) maker.push(url);
    else problems.push(`request outside the origin: ${url}`);
  };
  page.on('request', watch);
  // A tab the page opens is noted and closed at once, so the page stays in front.
  browser.on('targetcreated', async (target) => {
    if (target.type() !== 'page') return;
    watch({ url: () => target.url() });
    const opened = await target.page();
    if (opened && opened !== page) {
      await opened.close();
      await page.bringToFront();
    }
  });
  await page.setViewport(viewport);
  await page.goto(server.url);
  await page.waitForSelector('body[data-ready="true"]');
  return { server, browser, page, problems, maker };
}

async function finish({ server, browser, problems }) {
  await browser.close();
  await server.close();
  assert.deepEqual(problems, [], 'the page reported errors');
}

const value = (page, selector) => page.$eval(selector, (element) => element.value);
const listTexts = (page) => page.$$eval('#lstName [role=option]', (items) => items.map((item) => item.textContent));
const selectedTexts = (page) =>
  page.$$eval('#lstName [aria-selected=true]', (items) => items.map((item) => item.textContent));

async function fill(page, { family = '王', one = false, girl = false, date = ['2000', '1', '1', '12', '0'] } = {}) {
  await page.evaluate((family, one, girl, date) => {
    const input = document.getElementById('txtXingShi');
    input.value = family;
    input.dispatchEvent(new Event('input', { bubbles: true }));
    document.getElementById(one ? 'optOne' : 'optTwo').checked = true;
    document.getElementById(girl ? 'optWoman' : 'optMan').checked = true;
    ['cboYear', 'cboMonth', 'cboDay', 'cboHour', 'cboMinute'].forEach((id, i) => {
      document.getElementById(id).value = date[i];
    });
  }, family, one, girl, date);
}

// The open message box: its title, text and buttons.
async function messageBox(page) {
  await page.waitForSelector('#messageBox[open]');
  return page.$eval('#messageBox', (box) => ({
    title: box.querySelector('#messageTitle').textContent,
    text: box.querySelector('#messageText').textContent,
    buttons: Array.from(box.querySelectorAll('.buttons button'), (button) => button.textContent),
    focused: box.contains(document.activeElement),
  }));
}

async function answer(page, caption) {
  const buttons = await page.$$('#messageBox .buttons button');
  for (const button of buttons) {
    if ((await button.evaluate((b) => b.textContent)) === caption) {
      await button.click();
      await page.waitForSelector('#messageBox:not([open])');
      return;
    }
  }
  throw new Error(`no button ${caption}`);
}

// Searches and answers the message box; resolves once the chart is written.
async function search(page, options = {}, reply = '否') {
  await fill(page, options);
  await page.click('#cmdYes');
  const box = await messageBox(page);
  await answer(page, reply);
  await page.waitForFunction(() => document.getElementById('txtOut').value.startsWith('宝宝生日'));
  return box;
}

async function menu(page, item) {
  await page.click('#mnuFile');
  await page.waitForSelector('#mnuFileItems:not([hidden])');
  await page.click(`#${item}`);
}

async function popup(page, item, at = '#lstName [role=option]') {
  const entry = await page.$(at);
  await entry.click({ button: 'right' });
  await page.waitForSelector('#mnulstRight:not([hidden])');
  await page.click(`#${item}`);
}

async function until(condition, what) {
  for (let waited = 0; !condition(); waited += 50) {
    if (waited > 5000) throw new Error(`never came: ${what}`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

const cases = {
  // The window's controls with their names, captions and choices, and a search with its box.
  async search() {
    const run = await start();
    const { page } = run;
    const controls = await page.evaluate(() => [
      'txtXingShi', 'optOne', 'optTwo', 'optMan', 'optWoman', 'cboYear', 'cboMonth', 'cboDay', 'cboHour',
      'cboMinute', 'cmdYes', 'lstName', 'txtOut', 'mnuFile', 'mnuFileSave', 'mnuFileDelName', 'mnuFileNameWuGe',
      'mnuRegNet', 'mnuFileExit', 'mnuListRightSave', 'mnulstRightDel', 'mnuRightNameWuGe',
    ].filter((id) => !document.getElementById(id)));
    assert.deepEqual(controls, [], 'controls missing from the page');
    assert.equal(await page.title(), '澄禾起名宝');
    assert.equal(await page.$eval('html', (html) => html.lang), 'zh-CN');
    assert.deepEqual(await page.$$eval('#mnuFileItems > *', (items) => items.map((i) => i.textContent || '—')),
      ['收藏所选好名', '删除所选姓名', '—', '查看姓名五格', '—', '官方网站', '—', '退出']);
    assert.deepEqual(await page.$$eval('#cboMonth-choices option', (o) => o.map((x) => x.value)),
      Array.from({ length: 12 }, (_, i) => String(i + 1)));
    assert.equal(await page.$$eval('#cboYear-choices option', (o) => o.length), 66);
    assert.equal(await value(page, '#txtXingShi'), '赵');
    // Every control has an accessible name, its caption or its frame's.
    const names = {};
    for (const id of ['txtXingShi', 'optOne', 'optTwo', 'optMan', 'optWoman', 'cboYear', 'cboMinute', 'cmdYes',
      'lstName', 'txtOut', 'mnuFile']) {
      const node = await page.accessibility.snapshot({ root: await page.$(`#${id}`), interestingOnly: false });
      names[id] = node && node.name;
    }
    assert.deepEqual(names, { txtXingShi: '姓氏', optOne: '一字', optTwo: '二字', optMan: '男', optWoman: '女',
      cboYear: '年', cboMinute: '分', cmdYes: '生成美名', lstName: '姓名列表', txtOut: '生辰八字与收藏', mnuFile: '文件' });
    // Focusing the family name selects all of it, so typing replaces it.
    await page.focus('#txtXingShi');
    await page.waitForFunction(() => document.getElementById('txtXingShi').selectionEnd === 1);
    assert.equal(await page.$eval('#txtXingShi', (t) => t.selectionStart), 0);

    await fill(page);
    await page.click('#cmdYes');
    const box = await messageBox(page);
    assert.equal(box.title, '澄禾起名宝');
    assert.match(box.text, /^本次共生成 26728 个好名；/);
    assert.deepEqual(box.buttons, ['是', '否']);
    assert.ok(box.focused, 'the message box takes the focus');
    await answer(page, '否');
    const listed = await listTexts(page);
    assert.equal(listed.length, 24);
    assert.equal(listed[0], '王袍灌');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'cmdYes', 'the focus comes back');
    await finish(run);
  },

  // The birth chart of 2000-01-01 12:00, as the desktop writes it.
  async chart() {
    const run = await start();
    await search(run.page);
    assert.equal(await value(run.page, '#txtOut'), [
      '宝宝生日：', '公历日期：2000年1月1日 12时0分', '农历日期：1999年11月25日',
      '干支日期：己卯年 丙子月 戊午日 戊午时', '纳音五行：城头土 涧下水 天上火 天上火', '五行所缺：金', '',
    ].join('\n'));
    await finish(run);
  },

  // The five-grid report of the current entry, by the menu and by the popup; without an entry the
  // box asks for one.
  async fiveGrids() {
    const run = await start();
    const { page } = run;
    await menu(page, 'mnuFileNameWuGe');
    const box = await messageBox(page);
    assert.equal(box.text, '请选择一个姓名！');
    assert.deepEqual(box.buttons, ['确定']);
    await answer(page, '确定');
    await search(page);
    await page.click('#lstName [role=option]');
    await menu(page, 'mnuFileNameWuGe');
    await page.waitForFunction(() => document.getElementById('txtOut').value.includes('外格：'));
    const out = await value(page, '#txtOut');
    for (const grid of ['天格：5\n', '人格：15\n', '地格：33\n', '总格：37\n', '外格：23\n']) assert.ok(out.includes(grid), grid);
    const caret = await page.$eval('#txtOut', (t) => [t.selectionStart, t.value.indexOf('天格：')]);
    assert.equal(caret[0], caret[1], 'the caret stands at the report');
    await popup(page, 'mnuRightNameWuGe');
    await page.waitForFunction(() => document.getElementById('txtOut').value.split('天格：').length === 3);
    await finish(run);
  },

  // Collecting and deleting the selected entries, by the menu, by the popup and by keyboard.
  async collectAndDelete() {
    const run = await start();
    const { page } = run;
    await search(page);
    const names = await listTexts(page);
    const items = await page.$$('#lstName [role=option]');
    await items[0].click();
    await page.keyboard.down('Control');
    await items[2].click();
    await page.keyboard.up('Control');
    assert.deepEqual(await selectedTexts(page), [names[0], names[2]]);
    await menu(page, 'mnuFileSave');
    await page.waitForFunction(() => document.getElementById('lstName').children.length === 22);
    assert.ok((await value(page, '#txtOut')).endsWith(`五行所缺：金\n${names[2]}\n${names[0]}\n`));
    assert.equal(await page.$eval('#txtOut', (t) => t.style.fontSize), '14pt');

    // Shift+click selects a run from the last entry clicked, a drag another run.
    let entries = await page.$$('#lstName [role=option]');
    await entries[4].click();
    await page.keyboard.down('Shift');
    await entries[6].click();
    await page.keyboard.up('Shift');
    assert.equal((await selectedTexts(page)).length, 3);
    const from = await entries[8].boundingBox();
    const to = await entries[9].boundingBox();
    await page.mouse.move(from.x + 5, from.y + 5);
    await page.mouse.down();
    await page.mouse.move(to.x + 5, to.y + 5, { steps: 4 });
    await page.mouse.up();
    entries = await listTexts(page);
    assert.deepEqual(await selectedTexts(page), [entries[8], entries[9]]);

    // A right press leaves the selection alone; the popup deletes what is selected.
    const rest = await page.$$('#lstName [role=option]');
    await rest[1].click();
    await popup(page, 'mnulstRightDel', '#lstName [role=option]:nth-child(5)');
    await page.waitForFunction(() => document.getElementById('lstName').children.length === 21);
    assert.ok(!(await listTexts(page)).includes(names[3]));
    assert.equal(await page.evaluate(() => document.activeElement.id), 'lstName', 'the popup gives the focus back');

    // Keyboard only: arrows and Shift select a run, Shift+F10 opens the popup, Enter collects.
    await page.focus('#lstName');
    await page.keyboard.press('Home');
    await page.keyboard.down('Shift');
    await page.keyboard.press('ArrowDown');
    await page.keyboard.up('Shift');
    const run2 = await selectedTexts(page);
    assert.equal(run2.length, 2);
    await page.keyboard.down('Shift');
    await page.keyboard.press('F10');
    await page.keyboard.up('Shift');
    await page.waitForSelector('#mnulstRight:not([hidden])');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'mnuListRightSave');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('lstName').children.length === 19);
    assert.ok((await value(page, '#txtOut')).endsWith(`${names[0]}\n${run2[1]}\n${run2[0]}\n`));
    // Alt+F opens 文件 and Escape gives the focus back to the button.
    await page.keyboard.down('Alt');
    await page.keyboard.press('KeyF');
    await page.keyboard.up('Alt');
    await page.waitForSelector('#mnuFileItems:not([hidden])');
    await page.keyboard.press('Escape');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'mnuFile');
    // The context-menu key opens the popup too; Escape gives the focus back to the list.
    await page.focus('#lstName');
    await page.keyboard.press('ContextMenu');
    await page.waitForSelector('#mnulstRight:not([hidden])');
    await page.keyboard.press('Escape');
    await page.waitForSelector('#mnulstRight[hidden]');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'lstName');
    await finish(run);
  },

  // A date that does not exist is reported, and the list is left as it was.
  async badDate() {
    const run = await start();
    const { page } = run;
    await fill(page, { date: ['2001', '4', '31', '12', '0'] });
    await page.click('#cmdYes');
    const box = await messageBox(page);
    assert.equal(box.title, '澄禾起名宝');
    assert.ok(box.text.length > 0);
    await answer(page, '确定');
    assert.equal((await listTexts(page)).length, 0);
    assert.ok((await value(page, '#txtOut')).startsWith('本软件四大特色：'));
    await finish(run);
  },

  // The two settings at start, the date boxes from the device's clock, and the maker's site:
  // after a search answered 是, from 官方网站, and where 退出 leaves the page.
  async settingsAndSite() {
    const run = await start({ makerAllowed: true });
    const { page, server } = run;
    const stored = await page.evaluate(() => [localStorage.getItem('tavren/Start/Path'),
      localStorage.getItem('tavren/Start/Ver'), new Date().getFullYear()]);
    assert.deepEqual(stored.slice(0, 2), [server.url, '3.1']);
    assert.equal(await value(page, '#cboYear'), String(stored[2]));
    await search(page, {}, '是');
    await until(() => run.maker.length === 1, 'a tab after 是');
    await menu(page, 'mnuRegNet');
    await until(() => run.maker.length === 2, 'a tab from 官方网站');
    assert.equal(await page.$('#messageBox[open]'), null, 'no browser error');
    const leaving = page.waitForRequest((request) => request.url() === MAKER && request.isNavigationRequest());
    await menu(page, 'mnuFileExit');
    await leaving;
    await finish(run);
  },

  // One column at 360x640: nothing overlaps or is cut, no horizontal scrolling, touch targets, and
  // the popup by a long press.
  async phone() {
    const run = await start({ viewport: PHONE });
    const { page } = run;
    await search(page);
    const layout = await page.evaluate(() => {
      const ids = ['mnuFile', 'txtXingShi', 'optOne', 'optTwo', 'optMan', 'optWoman', 'cboYear', 'cboMonth', 'cboDay',
        'cboHour', 'cboMinute', 'cmdYes', 'lstName', 'txtOut'];
      const boxes = ids.map((id) => {
        const target = id.startsWith('opt') ? document.querySelector(`label[for=${id}]`) : document.getElementById(id);
        const r = target.getBoundingClientRect();
        return { id, left: r.left + scrollX, top: r.top + scrollY, right: r.right + scrollX, bottom: r.bottom + scrollY, height: r.height };
      });
      const overlaps = [];
      for (const a of boxes) {
        for (const b of boxes) {
          if (a.id < b.id && a.left < b.right - 1 && b.left < a.right - 1 && a.top < b.bottom - 1 && b.top < a.bottom - 1) {
            overlaps.push(`${a.id}/${b.id}`);
          }
        }
      }
      return { boxes, overlaps, scrollWidth: document.documentElement.scrollWidth, width: innerWidth };
    });
    assert.deepEqual(layout.overlaps, []);
    assert.ok(layout.scrollWidth <= layout.width, `no horizontal scrolling (${layout.scrollWidth})`);
    for (const box of layout.boxes) {
      assert.ok(box.left >= 0 && box.right <= layout.width, `${box.id} is cut`);
      assert.ok(box.height >= 40, `${box.id} is too small to touch`);
    }
    if (process.env.NAME_WEB_SCREENSHOTS) {
      await page.screenshot({ path: join(process.env.NAME_WEB_SCREENSHOTS, 'screenshot-web-phone.png') });
    }
    const entries = await page.$$('#lstName [role=option]');
    await entries[1].tap();
    await entries[3].tap();
    assert.equal((await selectedTexts(page)).length, 2, 'taps select several entries');
    const r = await entries[2].boundingBox();
    await page.touchscreen.touchStart(r.x + 10, r.y + 10);
    await page.waitForSelector('#mnulstRight:not([hidden])', { timeout: 3000 });
    await page.touchscreen.touchEnd();
    await page.keyboard.press('Escape');
    await page.waitForSelector('#mnulstRight[hidden]');
    await finish(run);
  },

  // After the first visit the service worker serves everything: the server stops, a reload works.
  // The page is installable.
  async offline() {
    const run = await start();
    const { page, server } = run;
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
    // With the worker in control, the browser finds nothing missing to install the page as an app.
    const cdp = await page.createCDPSession();
    assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
    await server.close();
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await search(page);
    assert.equal((await listTexts(page)).length, 24);
    await run.browser.close();
    assert.deepEqual(run.problems, []);
  },

  // Without lunacal.wasm, or with a damaged one, the desktop's message for a library that cannot be
  // loaded, and the page goes on.
  async missingLunacal() {
    for (const lunacal of ['missing', 'damaged']) {
      const run = await start({ lunacal });
      const { page } = run;
      // The browser reports the failed fetch itself; that one is expected. The search needs no
      // calendar: its question comes first, then the chart's message.
      await fill(page);
      await page.click('#cmdYes');
      assert.deepEqual((await messageBox(page)).buttons, ['是', '否']);
      // The chart's box follows at once in the same dialog, so the answer waits for its text.
      await page.click('#messageBox .buttons button:last-child');
      await page.waitForFunction(() => document.getElementById('messageText').textContent.startsWith('无法加载'));
      const box = await messageBox(page);
      assert.match(box.text, /^无法加载日历库 lunacal（lunacal\.wasm），无法生成生辰八字。\r\n已尝试：\r\n/);
      assert.ok(box.text.includes(lunacal === 'missing' ? 'HTTP 404' : 'WebAssembly'), box.text);
      await answer(page, '确定');
      assert.ok((await value(page, '#txtOut')).startsWith('本软件四大特色：'));
      // The names need no calendar and are listed all the same.
      assert.equal((await listTexts(page)).length, 24);
      run.problems = run.problems.filter((p) => !p.includes('404'));
      await finish(run);
    }
  },

  // The desktop's arrangement at 1000 px (the strip on top, the list left, the output right), and
  // its screenshot after the same search as the desktop's; the manifest names the app.
  async screenshot() {
    const run = await start();
    const { page } = run;
    await search(page);
    await page.click('#lstName [role=option]:nth-child(1)');
    const [strip, list, out] = await Promise.all(['#pic', '#lstName', '#txtOut'].map((s) =>
      page.$eval(s, (e) => JSON.parse(JSON.stringify(e.getBoundingClientRect())))));
    assert.ok(strip.bottom <= list.top && strip.bottom <= out.top, 'the strip is above the list and the output');
    assert.ok(list.right <= out.left && Math.abs(list.top - out.top) < 1, 'the list is left of the output');
    assert.ok(out.bottom <= 720 && out.right <= 1000, 'the output fits the window');
    const manifest = await page.evaluate(async () => (await fetch(document.querySelector('link[rel=manifest]').href)).json());
    assert.equal(manifest.name, await page.title());
    if (process.env.NAME_WEB_SCREENSHOTS) {
      await page.screenshot({ path: join(process.env.NAME_WEB_SCREENSHOTS, 'screenshot-web.png') });
    }
    await finish(run);
  },
};

if (!cases[caseName]) {
  console.error(`unknown case ${caseName}; cases: ${Object.keys(cases).join(' ')}`);
  process.exit(2);
}
await cases[caseName]();
console.log(`${caseName}: passed`);
