// The idle figure of docs/performance.md: the game's board at rest with its
// music playing, in headless Chromium, from a fresh profile each run. For
// each page folder given, in turns (the machine is shared: builds measured
// side by side in the same minutes), serves the folder, opens the game's
// page, clicks past the splash, waits 1.5 s and takes 8 s of processor time
// of every thread of every browser process from /proc, printing the whole
// browser's share of one core and the threads' shares by name.
// Usage: node measure-web-idle.js ROUNDS FOLDER [FOLDER...]
const fs = require('fs');
const {spawn} = require('child_process');
const puppeteer = require('puppeteer-core');

const [rounds, ...folders] = process.argv.slice(2);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const tick = 1000 / 100;  // USER_HZ

// Processor ms of each thread of the browser and its descendants, by "pid/tid name".
function threadCpuMs(rootPid) {
  const parent = new Map();
  for (const pid of fs.readdirSync('/proc').filter((n) => /^\d+$/.test(n))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
      parent.set(+pid, +stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
    } catch (e) { /* gone */ }
  }
  const times = new Map();
  for (const pid of parent.keys()) {
    let p = pid;
    while (p > 1 && p !== rootPid && parent.has(p)) p = parent.get(p);
    if (p !== rootPid) continue;
    try {
      for (const tid of fs.readdirSync(`/proc/${pid}/task`)) {
        const stat = fs.readFileSync(`/proc/${pid}/task/${tid}/stat`, 'utf8');
        const name = stat.slice(stat.indexOf('(') + 1, stat.lastIndexOf(')'));
        const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
        times.set(`${pid}/${tid} ${name}`, (+fields[11] + +fields[12]) * tick);
      }
    } catch (e) { /* gone */ }
  }
  return times;
}

async function measure(port) {
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: 'new',
                                          args: ['--no-sandbox', '--use-gl=swiftshader', '--mute-audio']});
  try {
    const page = await browser.newPage();
    await page.setViewport({width: 1024, height: 768});
    await page.goto(`http://127.0.0.1:${port}/index.html?play`);
    await page.waitForFunction(() => typeof Module !== 'undefined' && Module.reefFirstFrameMs, {timeout: 60000});
    await sleep(500);
    const box = await page.evaluate(() => {
      const b = document.querySelector('#canvas').getBoundingClientRect();
      return {x: b.left + b.width * 20 / 800, y: b.top + b.height / 2};
    });
    await page.mouse.move(box.x, box.y);
    await page.mouse.down();
    await sleep(100);
    await page.mouse.up();
    await sleep(1500);
    const pid = browser.process().pid;
    const before = threadCpuMs(pid), start = Date.now();
    const counts = await page.evaluate(() => [Module.reefPresents, Module.reefDraws]);
    await sleep(8000);
    const after = threadCpuMs(pid), ms = Date.now() - start;
    const counts2 = await page.evaluate(() => [Module.reefPresents, Module.reefDraws]);
    const byName = new Map();
    let total = 0;
    for (const [key, t] of after) {
      const share = (t - (before.get(key) || 0)) * 100 / ms;
      total += share;
      const name = key.slice(key.indexOf(' ') + 1);
      byName.set(name, (byName.get(name) || 0) + share);
    }
    const top = [...byName].filter(([, s]) => s >= 0.1).sort((a, b) => b[1] - a[1])
      .map(([n, s]) => `${n} ${s.toFixed(1)}`).join(', ');
    const perSecond = (i) => ((counts2[i] - counts[i]) * 1000 / ms).toFixed(1);
    return `${total.toFixed(1)} % (presents ${perSecond(0)}/s, draws ${perSecond(1)}/s; ${top})`;
  } finally {
    await browser.close();
  }
}

(async () => {
  const servers = folders.map((folder, i) => {
    const port = 18700 + i + Math.floor(Math.random() * 1000);
    return {folder, port, process: spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1',
                                                      '--directory', folder], {stdio: 'ignore'})};
  });
  await sleep(1000);
  try {
    for (let r = 0; r < +rounds; ++r) {
      for (const s of servers) console.log(`${s.folder}: ${await measure(s.port)}`);
    }
  } finally {
    for (const s of servers) s.process.kill();
  }
})();
