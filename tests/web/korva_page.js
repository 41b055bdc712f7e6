// Driving the web build in Debian's Chromium (headless) through playwright-core: a server for
// the pages on 127.0.0.1, the browser, and the program's windows in the page.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const {chromium} = require('playwright-core');

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.data': 'application/octet-stream'};

// Serves the files of `dir` on a free port of 127.0.0.1; resolves to {url, close}.
function serve(dir) {
  dir = path.resolve(dir);
  const server = http.createServer((request, response) => {
    const name = path.normalize(decodeURIComponent(request.url.split('?')[0])).replace(/^\/+/, '');
    const file = path.join(dir, name);
    if (!file.startsWith(dir) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream',
                             'Cache-Control': 'no-store'});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve({
      url: 'http://127.0.0.1:' + server.address().port + '/',
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

const CHROMIUM = '/usr/bin/chromium';
const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                       '--disable-background-networking', '--disable-component-update',
                       '--disable-sync'];

// A fresh browser (its own profile) and page; the page's console goes to `log`.
async function launch(options = {}) {
  const browser = await chromium.launch({executablePath: CHROMIUM, args: CHROMIUM_ARGS,
                                         headless: true});
  const context = await browser.newContext({viewport: {width: 1024, height: 768},
                                            deviceScaleFactor: options.scale || 1,
                                            acceptDownloads: true});
  await context.addInitScript(windowTitled);
  const page = await context.newPage();
  const log = [];
  page.on('console', (message) => log.push(message.text()));
  page.on('pageerror', (error) => log.push('page error: ' + error.message));
  return {browser, context, page, log};
}

// In every page, before its scripts: korvaWindow(title), the program's window with that title
// ({frame, title, canvas, context}), or null.
function windowTitled() {
  window.korvaWindow = (title) => {
    const windows = Module.korvaPage.windows;
    for (const id in windows) if (windows[id].title.textContent === title) return windows[id];
    return null;
  };
}

// Before the page's scripts run: the first time the graphics window gets the focus, Ctrl+H
// halts the animation before its timer first ticks, as `key ctrl+h` at the start of an
// action file does on the virtual display.
function haltAtStart() {
  let halted = false;
  document.addEventListener('focus', (event) => {
    const frame = event.target.closest && event.target.closest('.korva-window');
    if (halted || !frame || !frame.textContent.startsWith('KORVA Graphics')) return;
    halted = true;
    const canvas = event.target;
    queueMicrotask(() => {
      const key = (type, key, code) => canvas.dispatchEvent(new KeyboardEvent(type,
          {key, code, ctrlKey: type === 'keydown' || key !== 'Control', bubbles: true}));
      key('keydown', 'Control', 'ControlLeft');
      key('keydown', 'h', 'KeyH');
      key('keyup', 'h', 'KeyH');
      key('keyup', 'Control', 'ControlLeft');
    });
  }, true);
}

// Opens PROGRAM.html and waits until the program is idle with its windows shown.
async function open(page, url, options = {}) {
  if (options.halt) await page.addInitScript(haltAtStart);
  await page.goto(url);
  await page.waitForFunction(() => window.Module && Module.korvaPage &&
                                    document.querySelectorAll('.korva-window').length >= 1);
  await idle(page);
}

// Waits until the program sleeps with no input left: what it drew is on the canvases.
// Polled from here, not by the page's timers, which may stand still (stopClock).
async function idle(page) {
  const end = Date.now() + 20000;
  while (!(await page.evaluate(() => {
    const p = Module.korvaPage;
    return p.events.length === 0 && p.wake !== null;
  }))) {
    if (Date.now() > end) throw new Error('the program did not become idle within 20 s');
    await new Promise((resolve) => setTimeout(resolve, 5));
  }
}

// Stops the page's clock (Chromium's virtual time, paused): no timer fires and no time passes
// for the program, which still takes input, as on the virtual display between actions.
async function stopClock(page) {
  const session = await page.context().newCDPSession(page);
  await session.send('Emulation.setVirtualTimePolicy', {policy: 'pause'});
}

// The window with this title: its canvas's box in CSS pixels, and CSS pixels per program pixel.
async function windowBox(page, title) {
  return page.evaluate((title) => {
    const w = korvaWindow(title), p = Module.korvaPage;
    if (!w) return null;
    const box = w.canvas.getBoundingClientRect();
    return {x: box.x, y: box.y, k: p.cssPerPixel(), scale: p.scale};
  }, title);
}

// Presses the left button at content pixel (x, y) of the window (y 0 .. 19: the menu bar).
async function click(page, title, x, y) {
  const box = await windowBox(page, title);
  await page.mouse.click(box.x + (x + 0.5) * box.k, box.y + (y + 0.5) * box.k);
  await idle(page);
}

// Gives the window's canvas the keyboard focus, as a click on its title bar would.
async function focus(page, title) {
  await page.evaluate((title) => {
    const w = korvaWindow(title);
    if (w) w.canvas.focus();
  }, title);
  await idle(page);
}

async function press(page, keys) {
  await page.keyboard.press(keys);
  await idle(page);
}

// The window's canvas as {width, height, rgb} in program pixels (one device pixel of each
// scale x scale square), and `blocks`: whether every square is of one colour.
async function pixels(page, title) {
  return page.evaluate((title) => {
    const w = korvaWindow(title), s = Module.korvaPage.scale;
    if (!w) return null;
    const width = w.canvas.width / s, height = w.canvas.height / s;
    const data = w.context.getImageData(0, 0, w.canvas.width, w.canvas.height).data;
    const rgb = [];
    let blocks = true;
    for (let y = 0; y < height; y++) {
      for (let x = 0; x < width; x++) {
        const at = ((y * s) * w.canvas.width + x * s) * 4;
        const value = (data[at] << 16) | (data[at + 1] << 8) | data[at + 2];
        rgb.push(value);
        for (let dy = 0; dy < s && blocks; dy++)
          for (let dx = 0; dx < s; dx++) {
            const o = (((y * s + dy) * w.canvas.width) + x * s + dx) * 4;
            if (((data[o] << 16) | (data[o + 1] << 8) | data[o + 2]) !== value) blocks = false;
          }
      }
    }
    return {width, height, rgb, blocks};
  }, title);
}

// Where two pictures differ first, or null when they are the same.
function difference(expected, actual) {
  if (!actual) return 'the window is not there';
  if (expected.width !== actual.width || expected.height !== actual.height)
    return `size ${actual.width}x${actual.height}, expected ${expected.width}x${expected.height}`;
  let count = 0, first = -1;
  for (let i = 0; i < expected.rgb.length; i++) {
    if (expected.rgb[i] !== actual.rgb[i]) {
      if (first < 0) first = i;
      count++;
    }
  }
  if (!count) return null;
  const x = first % expected.width, y = Math.floor(first / expected.width);
  const hex = (v) => '#' + v.toString(16).padStart(6, '0');
  return `${count} pixels differ, the first at (${x}, ${y}): ${hex(actual.rgb[first])}, ` +
         `expected ${hex(expected.rgb[first])}`;
}

module.exports = {serve, launch, open, idle, stopClock, click, focus, press, pixels, windowBox, difference};
