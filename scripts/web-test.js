// The web build in headless Chromium, driven through the DevTools protocol
// (puppeteer-core against the system's Chromium): the launcher first, two of
// its switches turned, Play into a game played by mouse and keyboard with a
// screenshot of a sonar wave, the game's menu button back to the launcher with
// the switches kept; then a kept recording replayed through the page's
// address with its report compared, line for line, with the headless
// program's.
//
//   node scripts/web-test.js URL EXPECTED_REPORT OUTPUT_FOLDER
//
// Writes OUTPUT_FOLDER/web-shelf.png, web-wave.png and figures.json; exits
// non-zero when a check fails.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [url, expectedReport, outDir] = process.argv.slice(2);
const chromium = process.env.REEF_CHROMIUM || '/usr/bin/chromium';
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const failures = [];
function check(ok, what) {
  console.log((ok ? 'ok    ' : 'FAIL  ') + what);
  if (!ok) failures.push(what);
}

// Processor time of the browser and every process under it, in ms.
function treeCpuMs(rootPid) {
  const tick = 1000 / 100;  // USER_HZ
  const parent = new Map(), time = new Map();
  for (const pid of fs.readdirSync('/proc').filter((n) => /^\d+$/.test(n))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parent.set(+pid, +fields[1]);
      time.set(+pid, (+fields[11] + +fields[12]) * tick);
    } catch (e) { /* gone */ }
  }
  let total = 0;
  for (const [pid, t] of time) {
    for (let p = pid; p > 1; p = parent.get(p)) {
      if (p === rootPid) { total += t; break; }
      if (!parent.has(p)) break;
    }
  }
  return total;
}

// Page coordinates of a picture pixel: the canvas's box scaled to 800 by 600.
async function pagePoint(page, x, y) {
  return page.evaluate((x, y) => {
    const box = document.querySelector('#canvas').getBoundingClientRect();
    return {x: box.left + (x + 0.5) * box.width / 800, y: box.top + (y + 0.5) * box.height / 600};
  }, x, y);
}

// A click held for a few frames, as a hand makes it.
async function click(page, x, y) {
  const p = await pagePoint(page, x, y);
  await page.mouse.move(p.x, p.y);
  await page.mouse.down();
  await sleep(100);
  await page.mouse.up();
}

// A finger's tap, resting as long as a finger does.
async function tap(page, x, y) {
  const p = await pagePoint(page, x, y);
  const cdp = await page.target().createCDPSession();
  await cdp.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [{x: p.x, y: p.y}]});
  await sleep(80);
  await cdp.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
  await cdp.detach();
}

async function press(page, key) {
  await page.keyboard.down(key);
  await sleep(100);
  await page.keyboard.up(key);
}

async function canvasPixels(page) {
  return page.evaluate(() => {
    const c = document.querySelector('#canvas');
    return Array.from(c.getContext('2d').getImageData(0, 0, c.width, c.height).data);
  });
}

async function counters(page) {
  return page.evaluate(() => ({draws: Module.reefDraws || 0, presents: Module.reefPresents || 0,
                               now: performance.now()}));
}

// Waits for the page's first frame; the program it runs.
async function firstFrame(page) {
  await page.waitForFunction(() => typeof Module !== 'undefined' && Module.reefFirstFrameMs, {timeout: 60000});
  return page.evaluate(() => Module.thisProgram);
}

// A click that hands over to the other program: the page loads again.
async function clickAway(page, x, y) {
  await Promise.all([page.waitForNavigation({timeout: 30000}), click(page, x, y)]);
  return firstFrame(page);
}

function differing(a, b) {
  let n = 0;
  for (let i = 0; i < a.length; i += 4) if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++n;
  return n;
}

// The launcher's menu, where its buttons lie in the picture.
const shelfButton = {play: {x: 400, y: 224}, players: {x: 400, y: 286}, options: {x: 400, y: 348},
                     back: {x: 400, y: 572}};
const shelfSwitch = {effects: {x: 400, y: 286}, sharp: {x: 400, y: 410}};

async function playByHand(browser, figures) {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768, hasTouch: true});
  page.on('pageerror', (e) => console.log('page error: ' + e.message));
  await page.goto(url);
  const first = await firstFrame(page);
  figures.firstFrameMs = Math.round(await page.evaluate(() => Module.reefFirstFrameMs));
  check(first.endsWith('/GameShelf'), `the launcher comes first (${first}), its first frame ` +
        `${figures.firstFrameMs} ms after the page began loading`);
  await sleep(500);
  const shelfMenu = await canvasPixels(page);
  await page.screenshot({path: path.join(outDir, 'web-shelf.png')});

  // A new player named by typing: the Players page opens with the caret in
  // the first free name; Tab goes on to "Play as this".
  const player = 'Ada Lovelace';
  await click(page, shelfButton.players.x, shelfButton.players.y);
  await sleep(500);
  await page.keyboard.type(player, {delay: 30});
  for (let i = 0; i < 5; ++i) await press(page, 'Tab');
  await press(page, 'Enter');
  await sleep(300);
  await press(page, 'Escape');
  await sleep(300);
  check(await page.title() === `Reef Hoard - ${player}`, `a typed name becomes the player (${await page.title()})`);

  // Effects off (options.ini) and sharp scaling (setup.ini), kept while the
  // page is loaded twice more; the music stays on for the idle figure.
  await click(page, shelfButton.options.x, shelfButton.options.y);
  await sleep(500);
  for (const which of [shelfSwitch.effects, shelfSwitch.sharp]) {
    await click(page, which.x, which.y);
    await sleep(300);
  }
  await click(page, shelfButton.back.x, shelfButton.back.y);
  await sleep(300);
  const game = await clickAway(page, shelfButton.play.x, shelfButton.play.y);
  check(game.endsWith('/reefhoard'), `Play starts the game in the page (${game})`);

  await click(page, 20, 300);  // past the splash
  await sleep(1500);
  check(await page.title() === `Reef Hoard - ${player}`, `the game plays as her (${await page.title()})`);
  // The board at rest: what an idle page costs.
  const pid = browser.process().pid;
  const cpuBefore = treeCpuMs(pid), idleStart = Date.now();
  await sleep(5000);
  figures.idleCpuPercent = +((treeCpuMs(pid) - cpuBefore) * 100 / (Date.now() - idleStart)).toFixed(1);
  check(true, `idle board: ${figures.idleCpuPercent} % of one core for the whole browser`);

  await click(page, 752, 505);  // new game
  await sleep(1200);
  await press(page, 'Space');  // closes the round panel
  await sleep(800);
  const board = await canvasPixels(page);
  let blue = 0, colours = new Set();
  for (let i = 0; i < board.length; i += 4) {
    const x = (i / 4) % 800, y = Math.floor(i / 4 / 800);
    if (x >= 170 && x < 690 && y >= 190 && y < 600) {
      if (board[i + 2] > board[i] + 40) ++blue;
      colours.add((board[i] << 16) | (board[i + 1] << 8) | board[i + 2]);
    }
  }
  check(blue > 520 * 410 * 0.5 && colours.size > 50,
        `board drawn: ${blue} sea pixels and ${colours.size} colours in the board's area`);

  // A search: the sonar wave spreads from the cell in rings.
  const cell = {x: 325, y: 308};
  const before = await counters(page);
  await click(page, cell.x, cell.y);
  await sleep(60);
  const wave = await canvasPixels(page);
  await page.screenshot({path: path.join(outDir, 'web-wave.png')});
  await sleep(440);
  const after = await counters(page);
  const seconds = (after.now - before.now) / 1000;
  figures.wavePresentsPerSecond = Math.round((after.presents - before.presents) / seconds);
  figures.waveDrawsPerSecond = Math.round((after.draws - before.draws) / seconds);
  check(true, `during a wave: ${figures.wavePresentsPerSecond} frames presented and ` +
              `${figures.waveDrawsPerSecond} drawn to the canvas per second`);
  let changedNear = 0, changedFar = 0;
  for (let i = 0; i < wave.length; i += 4) {
    const x = (i / 4) % 800, y = Math.floor(i / 4 / 800);
    const differs = wave[i] !== board[i] || wave[i + 1] !== board[i + 1] || wave[i + 2] !== board[i + 2];
    if (!differs) continue;
    if (Math.abs(x - cell.x) < 120 && Math.abs(y - cell.y) < 120) ++changedNear; else if (x < 700) ++changedFar;
  }
  check(changedNear > 300 && changedNear > changedFar,
        `wave ring shown: ${changedNear} pixels changed around the searched cell, ${changedFar} elsewhere on the board`);

  for (const next of [{x: 325, y: 260}, {x: 269, y: 164}]) {
    await click(page, next.x, next.y);
    await sleep(1500);
  }

  // A finger's tap on the Help button opens the help panel over the board.
  const beforeTap = await canvasPixels(page);
  await tap(page, 681, 505);
  await sleep(800);
  const changed = differing(await canvasPixels(page), beforeTap);
  check(changed > 100000, `a tap on Help opened the help panel (${changed} pixels changed)`);
  await click(page, 400, 300);  // anywhere closes it
  await sleep(500);

  const back = await clickAway(page, 681, 551);  // the game's menu button
  figures.returnFrameMs = Math.round(await page.evaluate(() => Module.reefFirstFrameMs));
  await sleep(500);
  const again = differing(await canvasPixels(page), shelfMenu);
  check(back.endsWith('/GameShelf') && again < 100,
        `the game's menu button returns to the launcher (${back}; ${again} pixels differ from its first menu), ` +
        `its first frame ${figures.returnFrameMs} ms after the page began loading again`);
  const kept = await page.evaluate(() => ['/reef/options.ini', '/reef/game/setup.ini'].map((file) => {
    try { return FS.readFile(file, {encoding: 'utf8'}); } catch (e) { return ''; }
  }).join('\n'));
  check(/^SFX=N\r?$/m.test(kept) && /^scale=sharp\r?$/m.test(kept),
        'the switches turned in the launcher are kept in options.ini and setup.ini after two more loads');
  await page.close();
}

async function replay(browser, figures) {
  // A first visit: the browser's storage starts empty, as the headless
  // run's folder has no options of its own (music off would change the run).
  const visitor = await browser.createIncognitoBrowserContext();
  const page = await visitor.newPage();
  await page.setViewport({width: 1024, height: 768});
  const lines = [];
  let inReport = false, done;
  const finished = new Promise((r) => { done = r; });
  page.on('console', (m) => {
    const text = m.text();
    if (text === 'reefhoard report begins') inReport = true;
    else if (text === 'reefhoard report ends') { inReport = false; done(); }
    else if (inReport) lines.push(text);
  });
  page.on('pageerror', (e) => console.log('page error: ' + e.message));
  const started = Date.now();
  await page.goto(url + '?play&seed=3&replay=games/autoplay-seed3.txt&report');
  await Promise.race([finished, sleep(180000)]);
  figures.replaySeconds = Math.round((Date.now() - started) / 1000);
  const expected = fs.readFileSync(expectedReport, 'utf8').split('\n').filter((l) => l);
  check(lines.length === expected.length && lines.every((l, i) => l === expected[i]),
        `replay report in the browser matches the headless one (${lines.length} lines, ${figures.replaySeconds} s)`);
  if (lines.join('\n') !== expected.join('\n')) {
    console.log('browser:\n  ' + lines.join('\n  ') + '\nheadless:\n  ' + expected.join('\n  '));
  }
  // The replayed game entered the high scores; the page keeps them in
  // IndexedDB, so the next visit starts with the same table.
  await sleep(1000);
  const saved = await page.evaluate(() => Array.from(FS.readFile('/reef/game/hiscore.dat')));
  await page.close();
  const again = await visitor.newPage();
  await again.goto(url);
  await firstFrame(again);
  const restored = await again.evaluate(() => {
    try { return Array.from(FS.readFile('/reef/game/hiscore.dat')); } catch (e) { return []; }
  });
  check(saved.length === 5204 && restored.join() === saved.join(),
        `high scores kept for the next visit (${restored.length} of ${saved.length} bytes)`);
  await visitor.close();
}

(async () => {
  fs.mkdirSync(outDir, {recursive: true});
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: 'new',
    args: ['--no-sandbox', '--use-gl=swiftshader', '--mute-audio'],
  });
  const figures = {};
  try {
    await playByHand(browser, figures);
    await replay(browser, figures);
  } catch (e) {
    check(false, 'browser run: ' + e.message);
  } finally {
    await browser.close();
  }
  fs.writeFileSync(path.join(outDir, 'figures.json'), JSON.stringify(figures, null, 2) + '\n');
  process.exit(failures.length ? 1 : 0);
})();
