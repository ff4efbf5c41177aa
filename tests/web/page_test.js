// The page in headless Chromium, through window.pavon and real keys, against
// the desktop program's headless runs of the same demo images.
// Usage: node page_test.js PAVON DEMO_FOLDER PAGE_FOLDER
// (DEMO_FOLDER holds ROM/pavon1.bin and ROM/pavon2.bin.) Exit status 77:
// the page or the test's packages are not there (skipped).
'use strict';

const assert = require('node:assert/strict');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');

const [pavon, demoFolder, pageFolder] = process.argv.slice(2);
if (!fs.existsSync(path.join(pageFolder || '', 'pavon.wasm')) || !fs.existsSync(path.join(__dirname, 'node_modules'))) {
  console.log('skipped: no page in', pageFolder, 'or no node_modules (scripts/test.sh makes both)');
  process.exit(77);
}
const puppeteer = require('puppeteer-core');
const { PNG } = require('pngjs');

const work = fs.mkdtempSync(path.join(os.tmpdir(), 'pavon-page-'));
const demo = ['pavon1.bin', 'pavon2.bin'].map((name) => [...fs.readFileSync(path.join(demoFolder, 'ROM', name))]);

// The desktop program in the demo's folder; the files it writes, by name.
function desktop(args, outputs) {
  const run = spawnSync(pavon, ['--headless', ...args], { cwd: demoFolder, encoding: 'utf8' });
  assert.equal(run.status, 0, run.stderr);
  return outputs.map((name) => fs.readFileSync(path.join(work, name)));
}
const file = (name, bytes) => {
  fs.writeFileSync(path.join(work, name), bytes);
  return path.join(work, name);
};
const out = (name) => path.join(work, name);

// Input-file events [frame, down, key name] typed into the demo: letters,
// digits, punctuation, Return, Ctrl+H, Shift, the arrows.
function typing() {
  const events = [];
  let frame = 30;
  const press = (...names) => {
    names.forEach((name) => events.push([frame, true, name]));
    names.reverse().forEach((name) => events.push([frame + 2, false, name]));
    frame += 4;
  };
  [...'az09-=[];\',./\\'].forEach((key) => press(key));
  ['Return', 'Space', 'Up', 'Left', 'Down', 'Right', 'F8', 'F10', 'F11', 'RightCtrl'].forEach((key) => press(key));
  press('Ctrl', 'h');
  press('Shift', 'q');
  return events;
}
const inputFile = (events) => events.map(([frame, down, key]) => `${frame} ${down ? 'down' : 'up'} ${key}`).join('\n');

// The browser's code for each input-file key name: the page's key table
// must give the numbers the input files give.
const CODES = {
  '-': 'Minus', '=': 'Equal', '[': 'BracketLeft', ']': 'BracketRight', ';': 'Semicolon', '\'': 'Quote',
  ',': 'Comma', '.': 'Period', '/': 'Slash', '\\': 'Backslash', Return: 'Enter', Space: 'Space', Up: 'ArrowUp',
  Down: 'ArrowDown', Left: 'ArrowLeft', Right: 'ArrowRight', Ctrl: 'ControlLeft', RightCtrl: 'ControlRight',
  Shift: 'ShiftLeft', F8: 'F8', F10: 'F10', F11: 'F11',
};
const codeOf = (name) => CODES[name] || (/^[a-z]$/.test(name) ? 'Key' + name.toUpperCase() : 'Digit' + name);

// Runs the events on the page, paused, from the demo's start: frame F's
// events after F + 1 frames, as an input file's; then up to `frames`.
async function runSession(page, events, frames, pressKey) {
  await page.evaluate((images) => {
    pavon.pause();
    pavon.loadRoms(new Uint8Array(images[0]), new Uint8Array(images[1]));
  }, demo);
  let ran = 0;
  for (const [frame, down, name] of events) {
    ran += await page.evaluate((count) => pavon.runFrames(count), frame + 1 - ran);
    await pressKey(name, down);
  }
  await page.evaluate((count) => pavon.runFrames(count), frames - ran);
  return Buffer.from(await page.evaluate(() => [...pavon.saveState()]));
}

const CASES = [
  ['the page runs the demo at once', async (page) => {
    const changed = await page.evaluate(async () => {
      const before = pavon.picture().join();
      await new Promise((resolve) => setTimeout(resolve, 500));
      return pavon.picture().join() !== before;
    });
    assert.ok(changed, 'the picture stands still');
  }],
  ['the demo\'s picture at frame 100 is the desktop\'s screenshot', async (page) => {
    const [shot] = desktop(['--frames', '100', '--screenshot', out('shot.png')], ['shot.png']);
    await runSession(page, [], 100);
    const picture = Buffer.from(await page.evaluate(() => [...pavon.picture()]));
    assert.ok(PNG.sync.read(shot).data.equals(picture), 'the pictures differ');
  }],
  ['a typing session by name gives the desktop\'s state file', async (page) => {
    const events = typing();
    const [expected] = desktop(['--frames', '200', '--input', file('keys.txt', inputFile(events)),
      '--save-state', out('typed.pvn')], ['typed.pvn']);
    const state = await runSession(page, events, 200, (name, down) => page.evaluate((n, d) => pavon.key(n, d), name, down));
    assert.ok(state.equals(expected), 'the state files differ');
  }],
  ['the same session on the keyboard gives the same state file', async (page) => {
    const byName = await runSession(page, typing(), 200, (name, down) => page.evaluate((n, d) => pavon.key(n, d), name, down));
    await page.focus('#screen');
    const byKeys = await runSession(page, typing(), 200, (name, down) =>
      (down ? page.keyboard.down(codeOf(name)) : page.keyboard.up(codeOf(name))));
    assert.ok(byKeys.equals(byName), 'a key reached the machine under another number');
  }],
  ['a state saved in the page runs on in the desktop program, and back', async (page) => {
    const saved = await runSession(page, [], 50);
    const [ran] = desktop(['--load-state', file('page.pvn', saved), '--frames', '40', '--save-state', out('ran.pvn')],
      ['ran.pvn']);
    const state = await page.evaluate((images, bytes) => {
      pavon.loadRoms(new Uint8Array(images[0]), new Uint8Array(images[1]));
      pavon.loadState(new Uint8Array(bytes));
      pavon.runFrames(40);
      return [...pavon.saveState()];
    }, demo, [...saved]);
    assert.ok(Buffer.from(state).equals(ran), 'the page and the desktop ran on differently');
  }],
  ['the debugger holds the processor, steps it and lets it go, the page answering', async (page) => {
    await runSession(page, [], 10);
    const pc = async () => (await page.evaluate(() => [...pavon.saveState().slice(81922, 81924)])).join();
    await page.focus('#screen');
    await page.keyboard.press('F1');
    const held = [await page.evaluate(() => pavon.runFrames(5)), await pc()];
    await page.keyboard.press('F1');
    const stepped = await pc();
    await page.keyboard.press('KeyE');
    assert.deepEqual([held[0], stepped !== held[1], await page.evaluate(() => pavon.runFrames(5))], [0, true, 5]);
  }],
  ['F5 on the canvas saves the machine instead of reloading the page', async (page) => {
    await page.evaluate(() => {
      window.notReloaded = true;
      window.addEventListener('keydown', (event) => { window.f5Prevented = event.defaultPrevented; });
    });
    await page.focus('#screen');
    await page.keyboard.press('F5');
    const after = await page.evaluate(() => [window.notReloaded, window.f5Prevented, / saved$/.test(document.title)]);
    assert.deepEqual(after, [true, true, true]);
  }],
  ['bad input is refused with a message, the machine untouched', async (page) => {
    const outcome = await page.evaluate((images) => {
      const before = pavon.saveState().join();
      const refusals = [
        () => pavon.loadRoms(new Uint8Array(32767), new Uint8Array(images[1])),
        () => pavon.loadRoms(new Uint8Array(images[0]), new Uint8Array(16385)),
        () => pavon.loadRoms('pavon1.bin', new Uint8Array(images[1])),
        () => pavon.loadState(new Uint8Array(81945)),
        () => pavon.key('Foo', true),
        () => pavon.runFrames(-1),
      ].map((call) => {
        try {
          call();
          return 'accepted';
        } catch (error) {
          return error.message === document.getElementById('message').textContent ? 'said' : error.message;
        }
      });
      return [refusals, pavon.saveState().join() === before];
    }, demo);
    assert.deepEqual(outcome, [Array(6).fill('said'), true]);
  }],
];

// The page's folder served as any static host serves it.
function serve() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.css': 'text/css' };
  const server = http.createServer((request, response) => {
    const name = path.basename(new URL(request.url, 'http://page').pathname) || 'index.html';
    fs.readFile(path.join(pageFolder, name), (error, bytes) => {
      response.writeHead(error ? 404 : 200, { 'Content-Type': types[path.extname(name)] || 'text/plain' });
      response.end(error ? '' : bytes);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

(async () => {
  const server = await serve();
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${path.join(work, 'profile')}`],
  });
  let failed = 0;
  try {
    const page = await browser.newPage();
    const consoleErrors = [];
    page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
    page.on('pageerror', (error) => consoleErrors.push(error.message));
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await page.evaluate(() => pavon.ready);
    for (const [name, test] of [...CASES, ['the page loads and runs with no console error', async () => {
      assert.deepEqual(consoleErrors, []);
    }]]) {
      try {
        await test(page);
        console.log('ok    ', name);
      } catch (error) {
        failed += 1;
        console.log('FAILED', name, '\n ', error.message);
      }
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(work, { recursive: true, force: true });
  }
  process.exit(failed ? 1 : 0);
})();
