#!/usr/bin/env node
// The web build in headless Chromium, against the native build on the virtual display.
//   node web_test.js PAGES_DIR NATIVE_BIN_DIR TEST
// TEST: pixels | scripts | pages | scale. Exits 0 passed, 1 failed, 77 skipped.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const korva = require('./korva_page');
const {readPng} = require('./png');

const [pagesDir, nativeBin, testName] = process.argv.slice(2).map((a, i) => i < 2 ? path.resolve(a) : a);
const GRAPHICS = 'KORVA Graphics', TEXT = 'KORVA Text';
const MENU_BAR = 20; // content rows above the client area

let failures = 0;
function check(what, problem) {
  if (problem) {
    failures++;
    console.log(`FAILED: ${what}: ${problem}`);
  } else {
    console.log(`ok: ${what}`);
  }
}

// Runs the native demo on the virtual display with these action lines in `dir`; its shots are
// written there.
function runNative(dir, lines) {
  fs.writeFileSync(path.join(dir, 'actions'), lines.join('\n') + '\n');
  execFileSync(path.join(nativeBin, 'bugdemo-headless'), ['actions'], {cwd: dir, stdio: 'inherit'});
}

// One step: what the native action file says, and the same done in the page.
const clickAt = (x, y) => ({native: `click ${x} ${y}`,
                            web: (page) => korva.click(page, GRAPHICS, x, y + MENU_BAR)});
const key = (combo, name) => ({native: `key ${combo}`, web: (page) => korva.press(page, name)});

// Panel clicks, Ctrl keys, the menu by mouse and by keyboard, with the animation halted.
const STEPS = [
  ['Add Bug', [clickAt(40, 183)]],
  ['Add Bug, New Color, Hopping', [clickAt(40, 183), clickAt(40, 157), clickAt(40, 132)]],
  ['Ctrl+L (logging)', [key('ctrl+l', 'Control+L')]],
  ['a key typed', [key('x', 'x')]],
  ['Ctrl+F (one frame)', [key('ctrl+f', 'Control+F')]],
  ['the Run menu by mouse', [clickAt(10, -10)]],
  ['Escape closes it', [key('escape', 'Escape')]],
  ['the Run menu by Alt+R', [key('alt+r', 'Alt+R')]],
  ['Down in the menu', [key('down', 'ArrowDown')]],
  ['Escape', [key('escape', 'Escape')]],
  ['F10', [key('f10', 'F10')]],
  ['Escape after F10', [key('escape', 'Escape')]],
  ['a click on the scene', [clickAt(400, 300)]],
];

// The page cannot halt the animation at the very start as an action file does: the program's
// first pass may come after its timer's first ticks (the page is slower to start than the
// virtual clock, which stands still). So the native run waits as many ticks before its Ctrl+H:
// the count for which every frame is the same (a tick taken shows in the frame after it).
const MOST_TICKS_BEFORE_HALT = 8;

function nativeFrames(work, ticks) {
  const lines = [...Array(ticks).fill('wait 100'), 'key ctrl+h', 'shot 0.png'];
  STEPS.forEach(([, actions], i) => {
    for (const a of actions) lines.push(a.native);
    lines.push(`shot ${i + 1}.png`);
  });
  lines.push('textshot text.png');
  runNative(work, lines);
  const frames = STEPS.map((step, i) => readPng(path.join(work, `${i + 1}.png`)));
  return {first: readPng(path.join(work, '0.png')), frames, text: readPng(path.join(work, 'text.png'))};
}

async function pixelsTest(server, work) {
  const {browser, page, log} = await korva.launch();
  const web = {frames: []};
  try {
    await korva.open(page, server.url + 'bugdemo.html', {halt: true});
    await korva.stopClock(page);
    web.first = await korva.pixels(page, GRAPHICS);
    for (const [, actions] of STEPS) {
      for (const a of actions) await a.web(page);
      web.frames.push(await korva.pixels(page, GRAPHICS));
    }
    web.text = await korva.pixels(page, TEXT);
  } finally {
    await browser.close();
  }
  const mismatches = (native) => web.frames.filter((f, i) => korva.difference(native.frames[i], f))
                                           .length;
  let best = null;
  for (let ticks = 0; ticks <= MOST_TICKS_BEFORE_HALT; ticks++) {
    const native = nativeFrames(work, ticks);
    native.ticks = ticks;
    native.mismatches = mismatches(native);
    if (!best || native.mismatches < best.mismatches) best = native;
    if (!native.mismatches) break;
  }
  console.log(`(the page took ${best.ticks} ticks before the halt)`);
  STEPS.forEach(([name], i) => check(name, korva.difference(best.frames[i], web.frames[i])));
  check('the text window (the log)', korva.difference(best.text, web.text));
  if (failures) console.log(log.join('\n'));
}

const TESTS = {pixels: pixelsTest};

async function main() {
  if (!fs.existsSync('/usr/bin/chromium')) {
    console.log('skipped: Debian\'s chromium is not installed (make test installs it)');
    process.exit(77);
  }
  if (!fs.existsSync(path.join(pagesDir, 'bugdemo.html'))) {
    console.log(`skipped: no pages in ${pagesDir} (make web builds them)`);
    process.exit(77);
  }
  const test = TESTS[testName];
  if (!test) throw new Error('no test ' + testName);
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'korva-web-'));
  const server = await korva.serve(pagesDir);
  try {
    await test(server, work);
  } finally {
    await server.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
  process.exit(failures ? 1 : 0);
}

main().catch((error) => {
  console.log('FAILED: ' + (error.stack || error));
  process.exit(1);
});
