// The page's speed in headless Chromium: the share of one core that all of
// Chromium's processes take while the demo runs at real time, the machine
// frames it shows a second, and the frames a second of unpaced runFrames.
// Usage (after scripts/web.sh --build-only and npm ci in tests/web):
//   node bench/page_speed.js [SECONDS]
'use strict';

const { execFileSync, spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const puppeteer = require('../tests/web/node_modules/puppeteer-core');

const seconds = Number(process.argv[2] || 20);
const pageFolder = path.join(__dirname, '..', 'build-web', 'page');
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pavon-bench-'));
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// CPU seconds of a process and all its descendants (`ps` fails for a
// process without children).
function cpuSeconds(root) {
  const fields = fs.readFileSync(`/proc/${root}/stat`, 'utf8').split(') ')[1].split(' ');
  let children = [];
  try {
    children = execFileSync('ps', ['-o', 'pid=', '--ppid', String(root)], { encoding: 'utf8' }).split(/\s+/).filter(Boolean);
  } catch {
    // none
  }
  return (Number(fields[11]) + Number(fields[12])) / 100 + children.reduce((sum, pid) => {
    try {
      return sum + cpuSeconds(pid);
    } catch {
      return sum;  // ended meanwhile
    }
  }, 0);
}

// The demo's own frame counter, read from the screen's text in video memory.
const demoFrames = (page) => page.evaluate(() => {
  const text = String.fromCharCode(...pavon.saveState().slice(65536, 65536 + 16384));
  return Number(/FRAMES (\d+)/.exec(text)[1]);
});

(async () => {
  const server = spawn('python3', ['-m', 'http.server', '8099', '--bind', '127.0.0.1'], { cwd: pageFolder, stdio: 'ignore' });
  await sleep(1000);
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
  });
  try {
    const page = await browser.newPage();
    await page.goto('http://127.0.0.1:8099/');
    await page.evaluate(() => pavon.ready);
    await sleep(2000);
    const cpu = cpuSeconds(browser.process().pid);
    const frames = await demoFrames(page);
    const start = Date.now();
    await sleep(seconds * 1000);
    const wall = (Date.now() - start) / 1000;
    const share = (cpuSeconds(browser.process().pid) - cpu) / wall;
    const shown = ((await demoFrames(page)) - frames) / wall;
    console.log(`real time: ${shown.toFixed(1)} frames a second, Chromium at ${(100 * share).toFixed(1)} % of one core`);
    const unpaced = await page.evaluate(() => {
      pavon.pause();
      const begin = performance.now();
      const count = pavon.runFrames(10000);
      return count / ((performance.now() - begin) / 1000);
    });
    console.log(`unpaced runFrames: ${Math.round(unpaced)} frames a second`);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
})();
