// The web build in headless Chromium, driven through the DevTools protocol
// (puppeteer-core against the system's Chromium): the launcher first, two of
// its switches turned, Play into a game played by mouse and keyboard with a
// screenshot of a sonar wave and on until its turns run out, the game's menu
// button back to the launcher with the switches and her high score kept;
// then a kept recording replayed through the page's address with its report
// compared, line for line, with the headless program's, and the visitor's
// kept files untouched by it; the page's words when it cannot run; and last a
// visit with the network off, from the service worker's files.
//
//   node scripts/web-test.js URL EXPECTED_REPORT OUTPUT_FOLDER
//
// URL's folder holds test/no-data/, the page without its index.data.
// REEF_SERVER_PID names the server, stopped for the visit without network.
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

// The words the page shows when the game cannot run; '' while it runs.
async function shownFailure(page) {
  return page.evaluate(() => {
    const box = document.querySelector('#message');
    return box && !box.hidden ? box.textContent : '';
  });
}

// The kept files in the browser's storage, by name, as the launcher finds
// them when the page loads.
async function storedFiles(context) {
  const page = await context.newPage();
  await page.goto(url);
  await firstFrame(page);
  const files = await page.evaluate(() => {
    const found = {};
    for (const name of FS.readdir('/save')) {
      if (name !== '.' && name !== '..') found[name] = Array.from(FS.readFile('/save/' + name)).join();
    }
    return found;
  });
  await page.close();
  return files;
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

// New game from the game's board, its round panel closed: the board drawn
// there, checked and returned.
async function newGame(page, what) {
  await click(page, 752, 505);
  await sleep(1200);
  await press(page, 'Space');
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
        `${what}: ${blue} sea pixels and ${colours.size} colours in the board's area`);
  return board;
}

// The launcher's menu, where its buttons lie in the picture.
const shelfButton = {play: {x: 400, y: 224}, players: {x: 400, y: 286}, options: {x: 400, y: 348},
                     back: {x: 400, y: 572}};
const shelfSwitch = {effects: {x: 400, y: 286}, sharp: {x: 400, y: 410}};

async function playByHand(browser, figures) {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768, hasTouch: true});
  page.on('pageerror', (e) => console.log('page error: ' + e.message));
  // An earlier build's files, which the service worker's first start drops.
  const earlier = await page.evaluateOnNewDocument(() => { caches.open('reefhoard-earlier-build'); });
  // Her own game deals its treasure from the clock's seconds at start: the
  // page's clock reads 3 s until the first frame, so she plays the kept
  // recording's board (seed 3) and her clicks find what they expect.
  await page.evaluateOnNewDocument(() => {
    const now = Date.now;
    Date.now = () => (window.Module && Module.reefFirstFrameMs ? now.call(Date) : 3000);
  });
  await page.goto(url);
  const first = await firstFrame(page);
  await page.removeScriptToEvaluateOnNewDocument(earlier.identifier);
  figures.firstFrameMs = Math.round(await page.evaluate(() => Module.reefFirstFrameMs));
  check(first.endsWith('/GameShelf'), `the launcher comes first (${first}), its first frame ` +
        `${figures.firstFrameMs} ms after the page began loading`);
  await sleep(500);
  // The canvas appears where it stays, and the launcher makes no sound
  // before the visitor's first gesture (making it costs the browser a tenth
  // of a second at start).
  const shifts = await page.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => resolve(list.getEntries().length)).observe({type: 'layout-shift', buffered: true});
    setTimeout(() => resolve(0), 200);
  }));
  check(shifts === 0, `the launcher's start moves nothing on the page (${shifts} layout shifts)`);
  check(await page.evaluate(() => Module.reefSound.context === null), 'no audio context before a gesture');
  const shelfMenu = await canvasPixels(page);
  await page.screenshot({path: path.join(outDir, 'web-shelf.png')});

  // A new player named by typing: the Players page, opened by a tap, opens
  // with the caret in the first free name and the page's hidden field
  // focused for a phone's keyboard. Part of the name comes by keys, the rest
  // as a phone's keyboard sends it (text with no key events), with a slip
  // taken back; Tab goes on to "Play as this".
  const player = 'Ada Lovelace';
  const typingFocused = () => page.evaluate(() => document.activeElement.id === 'typing');
  await tap(page, shelfButton.players.x, shelfButton.players.y);
  await sleep(500);
  check(await page.evaluate(() => Module.reefSound.context !== null), 'the first tap makes the audio context');
  check(await typingFocused(), 'the name field, opened by a tap, focuses the hidden field for a phone keyboard');
  await page.keyboard.type('Ada ', {delay: 30});
  await page.keyboard.sendCharacter('Lovelacx');
  await page.evaluate(() => {
    const field = document.getElementById('typing');
    field.value = '';
    field.dispatchEvent(new InputEvent('input', {inputType: 'deleteContentBackward'}));
  });
  await page.keyboard.sendCharacter('e');
  for (let i = 0; i < 5; ++i) await press(page, 'Tab');
  await press(page, 'Enter');
  await sleep(300);
  await press(page, 'Escape');
  await sleep(300);
  check(await page.title() === `Reef Hoard - ${player}` && !(await typingFocused()),
        `a name typed by keys and a phone keyboard becomes the player (${await page.title()}), ` +
        'and the hidden field lets go of the focus after');

  // Effects off (options.ini) and sharp scaling (setup.ini), kept while the
  // page is loaded twice more; the music stays on for the idle figure. On
  // the way, the effects' context rests while nothing sounds and the sample
  // that switching them on plays wakes it.
  await click(page, shelfButton.options.x, shelfButton.options.y);
  await sleep(500);
  const effectsState = () => page.evaluate(() => Module.reefSound.context.state);
  await click(page, shelfSwitch.effects.x, shelfSwitch.effects.y);
  await sleep(2500);
  const rested = await effectsState();
  await click(page, shelfSwitch.effects.x, shelfSwitch.effects.y);
  await sleep(100);
  const woken = await effectsState();
  check(rested === 'suspended' && woken === 'running',
        `the effects' audio context rests in silence (${rested}) and a sound wakes it (${woken})`);
  for (const which of [shelfSwitch.effects, shelfSwitch.sharp]) {
    await click(page, which.x, which.y);
    await sleep(300);
  }
  await click(page, shelfButton.back.x, shelfButton.back.y);
  await sleep(300);
  const game = await clickAway(page, shelfButton.play.x, shelfButton.play.y);
  check(game.endsWith('/reefhoard'), `Play starts the game in the page (${game})`);

  // A finger's tap, press and release at once, skips the splash (shown 5 s
  // otherwise) as a click does.
  const splash = await canvasPixels(page);
  await tap(page, 20, 300);
  await sleep(700);
  const pastSplash = differing(await canvasPixels(page), splash);
  check(pastSplash > 100000, `a tap skips the splash (${pastSplash} pixels changed)`);
  await sleep(800);
  check(await page.title() === `Reef Hoard - ${player}`, `the game plays as her (${await page.title()})`);
  // The board at rest: what an idle page costs.
  const musicTime = () => page.evaluate(() => Module.reefSound.musicContext.currentTime);
  const musicBefore = await musicTime();
  const pid = browser.process().pid;
  const cpuBefore = treeCpuMs(pid), idleStart = Date.now(), idleCounters = await counters(page);
  await sleep(5000);
  figures.idleCpuPercent = +((treeCpuMs(pid) - cpuBefore) * 100 / (Date.now() - idleStart)).toFixed(1);
  const idleCountersAfter = await counters(page);
  figures.idlePresentsPerSecond = +((idleCountersAfter.presents - idleCounters.presents) * 1000 /
                                    (idleCountersAfter.now - idleCounters.now)).toFixed(1);
  // It presents twice per blink of "newgame" and waits for the next between
  // (60 a second if it woke at every display frame).
  check(figures.idlePresentsPerSecond < 15, `idle board: ${figures.idleCpuPercent} % of one core for the whole ` +
        `browser, ${figures.idlePresentsPerSecond} presents a second`);
  const playing = await page.evaluate(() => Object.values(Module.reefSongs || {}).some((song) => song.source));
  const musicSeconds = await musicTime() - musicBefore;
  check(playing && musicSeconds > 4, `the music plays meanwhile on its own context (${musicSeconds.toFixed(1)} s ` +
        `of it in 5 s) while the effects' context is ${await effectsState()}`);

  const board = await newGame(page, 'board drawn');

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

  // The rest of her game: a find, then searches back and forth beside it
  // (short waves) until the turns run out; the next click closes the
  // game-over panel, her score enters the empty table and the game writes
  // hiscore.dat, which the page keeps in the browser's storage.
  await click(page, 220, 152);
  await sleep(300);
  const written = () => page.evaluate(() => FS.analyzePath('/reef/game/hiscore.dat').exists);
  for (let i = 0; i < 40 && !(await written()); ++i) {
    await click(page, i % 2 ? 269 : 213, 164);
    await sleep(400);
  }
  const ended = await page.waitForFunction(() => FS.analyzePath('/save/hiscore.dat').exists, {timeout: 20000})
    .then(() => true, () => false);
  check(ended, 'her own game ran out of turns and its high scores were kept');
  await sleep(1500);  // the hall of fame's notice closes by itself

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
  // The table's first entry: her name and record, then her score.
  const best = await page.evaluate(() => {
    try {
      const table = FS.readFile('/reef/game/hiscore.dat');
      const view = new DataView(table.buffer, table.byteOffset);
      return {bytes: table.length, name: new TextDecoder().decode(table.subarray(4, 4 + 256)).split(/[:\0]/)[0],
              score: view.getInt32(4 + 256, true)};
    } catch (e) { return {bytes: 0}; }
  });
  check(best.bytes === 5204 && best.name === player && best.score > 0,
        `her high score is kept after the page loads again (${best.bytes} bytes: ${best.name} ${best.score})`);
  const shown = await shownFailure(page);
  check(shown === '', `no failure shown after the page ran both programs (${shown})`);
  await page.close();
}

async function replay(browser, figures) {
  // The visitor who turned the switches: a link's game reads none of her
  // files (the headless run's folder has no options of its own, and music
  // off would change the run) and writes none.
  const visitor = browser.defaultBrowserContext();
  const before = await storedFiles(visitor);
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
  // The replayed game entered the high scores in the page's memory only.
  await sleep(1000);
  const scores = await page.evaluate(() => FS.readFile('/reef/game/hiscore.dat').length);
  await page.close();

  // A recording from anywhere but the page's own site is refused in words.
  const refused = await visitor.newPage();
  for (const elsewhere of ['http://example.com/games/autoplay-seed3.txt', '//example.com/x.txt',
                           'data:text/plain,310%20move%2020%20300', 'javascript:alert(1)']) {
    await refused.goto(url + '?play&replay=' + encodeURIComponent(elsewhere));
    await refused.waitForFunction(() => !document.querySelector('#message').hidden, {timeout: 30000})
      .catch(() => {});
    const shown = await shownFailure(refused);
    check(/only replay a recording from this site/.test(shown), `replay of ${elsewhere} refused: ${shown}`);
  }
  await refused.close();
  const after = await storedFiles(visitor);
  check(scores === 5204 && JSON.stringify(after) === JSON.stringify(before),
        `the replayed game wrote ${scores} bytes of high scores, and the visitor's kept files ` +
        `(${Object.keys(before).join(', ')}) are byte for byte as before`);
}

// The page's words when it cannot run: a file missing, start-up throwing,
// the program ending badly, a browser without WebAssembly, a browser without
// storage or refusing it (the game runs on).
async function pageFailures(browser) {
  const folder = url.slice(0, url.lastIndexOf('/') + 1);
  const cases = [
    {address: folder + 'test/no-data/index.html', expected: /index\.data.*reload the page/i},
    {address: url + '?failstart', expected: /stopped: .*failstart.*Reload the page/},
    {address: url + '?play&seed=many', expected: /stopped: .*--seed wants a whole number.*Reload the page/},
    {address: url, label: 'without WebAssembly', expected: /no WebAssembly.*use a current browser/i,
     prepare: () => Object.defineProperty(window, 'WebAssembly', {value: undefined})},
    {address: url, label: 'without IndexedDB', expected: /refuses the site storage.*Allow site storage/, runs: true,
     prepare: () => Object.defineProperty(window, 'indexedDB', {value: undefined})},
    {address: url, label: 'refusing IndexedDB', expected: /refuses the site storage.*Allow site storage/, runs: true,
     prepare: () => Object.defineProperty(window, 'indexedDB', {value: {open() {
       throw new DOMException('access to the Indexed Database API is denied', 'SecurityError');
     }}})},
  ];
  const page = await browser.newPage();
  for (const c of cases) {
    const prepared = c.prepare ? await page.evaluateOnNewDocument(c.prepare) : null;
    await page.goto(c.address);
    await page.waitForFunction(() => !document.querySelector('#message').hidden, {timeout: 60000})
      .catch(() => {});
    const shown = await shownFailure(page);
    const ran = c.runs ? await firstFrame(page).then(() => true, () => false) : true;
    check(c.expected.test(shown) && ran, `${c.address.slice(folder.length)}${c.label ? ' ' + c.label : ''}` +
          ` shows: ${shown}${c.runs ? (ran ? ' (and the game runs)' : ' (but the game did not run)') : ''}`);
    if (prepared) await page.removeScriptToEvaluateOnNewDocument(prepared.identifier);
  }
  await page.close();
}

// A second visit with the network off (the server stopped too): the
// service worker's files start the launcher, Play and a new game. The page
// must pass Chromium's checks for installing it as an app.
async function offline(browser) {
  const page = await browser.newPage();
  await page.setViewport({width: 1024, height: 768});
  await page.goto(url);
  await firstFrame(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await page.target().createCDPSession();
  const {installabilityErrors} = await cdp.send('Page.getInstallabilityErrors');
  await cdp.detach();
  check(installabilityErrors.length === 0,
        `installable as an app (${installabilityErrors.map((e) => e.errorId).join(', ') || 'no errors'})`);
  const kept = await page.evaluate(() => caches.keys());
  const build = /const CACHE = '([^']+)'/.exec(await page.evaluate(() => fetch('sw.js').then((r) => r.text())))[1];
  check(kept.length === 1 && kept[0] === build, `the only cache is this build's (${kept.join(', ')})`);

  process.kill(+process.env.REEF_SERVER_PID);
  await page.setOfflineMode(true);
  await page.reload();
  const program = await firstFrame(page);
  const game = await clickAway(page, shelfButton.play.x, shelfButton.play.y);
  check(program.endsWith('/GameShelf') && game.endsWith('/reefhoard'), 'with the network off the launcher starts, ' +
        'and Play the game');
  await click(page, 20, 300);  // past the splash
  await sleep(1500);
  await newGame(page, 'a new game with the network off');
  await page.close();
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
    await pageFailures(browser);
    await offline(browser);
  } catch (e) {
    check(false, 'browser run: ' + e.message);
  } finally {
    await browser.close();
  }
  fs.writeFileSync(path.join(outDir, 'figures.json'), JSON.stringify(figures, null, 2) + '\n');
  process.exit(failures.length ? 1 : 0);
})();
