#!/usr/bin/env node
// The web build in headless Chromium, against the native build on the virtual display.
//   node web_test.js PAGES_DIR NATIVE_BIN_DIR TEST
// TEST: pixels | scripts | storage | pages | scale | hello (a client's hello.html only). Exits 0 passed, 1 failed, 77 skipped.
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

// The ticks before the halt of a page just opened: the native count whose first frame after
// Ctrl+H is the page's (see above).
function ticksOfFirstFrame(work, first) {
  for (let ticks = 0; ticks <= MOST_TICKS_BEFORE_HALT; ticks++) {
    runNative(work, [...Array(ticks).fill('wait 100'), 'key ctrl+h', 'shot first.png']);
    if (!korva.difference(readPng(path.join(work, 'first.png')), first)) return ticks;
  }
  return -1;
}

const SCRIPT = '/korva/KORVA.SCR';
const readScript = (page) => page.evaluate((file) => {
  try {
    return FS.readFile(file, {encoding: 'utf8'});
  } catch (error) {
    return null;
  }
}, SCRIPT);

// Record in the page, reload it, play back; the download is what the desktop build plays back
// to the same frames. Ctrl+R records and reloads nothing; Ctrl+P plays and prints nothing.
async function scriptsTest(server, work) {
  const {browser, page, log} = await korva.launch();
  try {
    await korva.open(page, server.url + 'bugdemo.html', {halt: true});
    await page.evaluate(() => { window.notReloaded = true; });
    await korva.press(page, 'Control+R');
    for (const a of [clickAt(40, 183), clickAt(40, 157), clickAt(40, 132), key('x', 'x'),
                     clickAt(400, 300)])
      await a.web(page);
    await korva.press(page, 'Control+R');
    check('Ctrl+R reloads no page', await page.evaluate(() => window.notReloaded) ? null
                                                                                   : 'it did');
    const recorded = await readScript(page);
    check('the recording', recorded && recorded.split('\n').length >= 6 ? null
                                                                          : `KORVA.SCR: ${recorded}`);

    await page.waitForFunction(() => !Module.korvaPage.storage.syncing);
    await page.reload();
    await page.waitForFunction(() => window.Module && Module.korvaPage &&
                                      document.querySelectorAll('.korva-window').length >= 1);
    await korva.idle(page);
    check('KORVA.SCR is kept over a reload',
          (await readScript(page)) === recorded ? null : 'it changed or is gone');
    const [download] = await Promise.all([page.waitForEvent('download'),
                                          page.click('#korva-download')]);
    const downloaded = path.join(work, 'KORVA.SCR');
    await download.saveAs(downloaded);
    check('the download is the recording',
          fs.readFileSync(downloaded, 'utf8') === recorded ? null : 'it differs');
    await korva.focus(page, GRAPHICS); // the download button had it
    const ticks = ticksOfFirstFrame(work, await korva.pixels(page, GRAPHICS));
    // The playback takes its periodic events at the timer's ticks: the clock runs, and the
    // playback is over when the picture stays.
    await korva.press(page, 'Control+P');
    let played = await korva.pixels(page, GRAPHICS);
    for (let same = 0; same < 3;) {
      await page.waitForTimeout(200);
      await korva.idle(page);
      const now = await korva.pixels(page, GRAPHICS);
      same = korva.difference(played, now) ? 0 : same + 1;
      played = now;
    }
    if (process.env.KORVA_WEB_KEEP) fs.writeFileSync(path.join(work, 'played.json'), JSON.stringify({ticks, played}));
    runNative(work, [...Array(Math.max(ticks, 0)).fill('wait 100'), 'key ctrl+h', 'key ctrl+p',
                     'shot played.png']);
    // A recording from the desktop, uploaded, is the page's KORVA.SCR.
    const desktop = path.join(work, 'desktop', 'KORVA.SCR');
    fs.mkdirSync(path.dirname(desktop));
    fs.writeFileSync(desktop, 'KORVA_MOUSE(-257, 57);\nKORVA_KBD(120);\n');
    await page.setInputFiles('#korva-upload-file', desktop);
    await page.waitForFunction(() => /uploaded/.test(document.getElementById('korva-note').textContent));
    check('an upload is the page\'s KORVA.SCR', (await readScript(page)) ===
          fs.readFileSync(desktop, 'utf8') ? null : 'it is not');
    check('played back in the page after the reload: the desktop build\'s frame',
          ticks < 0 ? 'the first frame after the reload matches no native one'
                    : korva.difference(readPng(path.join(work, 'played.png')), played));
  } finally {
    if (failures) console.log(log.join('\n'));
    await browser.close();
  }
}

// Storage the browser refuses: the recording says "Cannot write script file" in the log (the
// text window differs from a recording that works by that line) and the program goes on.
async function refusedStorageTest(server, work) {
  const textAfterRecording = async (refuse) => {
    const {browser, page} = await korva.launch();
    try {
      if (refuse)
        await page.addInitScript(() => Object.defineProperty(window, 'indexedDB',
                                                             {value: undefined}));
      await korva.open(page, server.url + 'bugdemo.html', {halt: true});
      await korva.stopClock(page);
      await korva.press(page, 'Control+R');
      await clickAt(40, 183).web(page);
      await clickAt(40, 157).web(page);
      const text = await korva.pixels(page, TEXT);
      const before = await korva.pixels(page, GRAPHICS);
      await clickAt(40, 132).web(page);
      const after = await korva.pixels(page, GRAPHICS);
      return {text, goesOn: !!korva.difference(before, after)};
    } finally {
      await browser.close();
    }
  };
  const kept = await textAfterRecording(false), refused = await textAfterRecording(true);
  check('no storage: the log says so', korva.difference(kept.text, refused.text) ? null
                                                                                 : 'it does not');
  check('no storage: the program goes on', refused.goesOn ? null : 'a click changed nothing');
}

// hello.html draws the picture hello-headless draws on the desktop.
async function helloPicture(page, server, work) {
  await korva.open(page, server.url + 'hello.html');
  fs.writeFileSync(path.join(work, 'hello.actions'), 'shot hello.png\n');
  execFileSync(path.join(nativeBin, 'hello-headless'), ['hello.actions'],
               {cwd: work, stdio: 'inherit'});
  check('hello: the desktop\'s picture', korva.difference(
      readPng(path.join(work, 'hello.png')), await korva.pixels(page, GRAPHICS)));
}

// A client's hello.html (tests/web/install_test.sh).
async function helloTest(server, work) {
  const {browser, page, log} = await korva.launch();
  try {
    await helloPicture(page, server, work);
  } finally {
    if (failures) console.log(log.join('\n'));
    await browser.close();
  }
}

// The examples run; hello draws what it draws on the desktop; the close box and Ctrl+Q end
// the program and the page offers to start it again; without WebAssembly the page says so.
async function pagesTest(server, work) {
  const {browser, page, log} = await korva.launch();
  try {
    for (const program of ['ball', 'pad', 'clock', 'palette']) {
      await korva.open(page, server.url + program + '.html');
      const picture = await korva.pixels(page, GRAPHICS);
      check(`${program} runs and draws`,
            picture && new Set(picture.rgb).size > 1 ? null : 'its window is blank or missing');
    }
    await helloPicture(page, server, work);

    const ended = () => page.waitForFunction(
        () => !document.getElementById('korva-ended').hidden && window.korvaEnded, null,
        {timeout: 20000}).then(() => null, () => 'the page does not say the program ended');
    await korva.open(page, server.url + 'bugdemo.html');
    const titles = await page.evaluate(() => ['graphics', 'text'].map(id => {
      const canvas = document.getElementById(id);
      return canvas && canvas.tagName === 'CANVAS' ?
          canvas.parentElement.querySelector('.korva-title span').textContent : null;
    }));
    check('the windows are the canvases #graphics and #text',
          titles.join() === 'KORVA Graphics,KORVA Text' ? null : `they are ${titles.join()}`);
    await page.click('.korva-window:first-child .korva-close');
    check('the close box ends the program', await ended());
    await Promise.all([page.waitForNavigation(), page.click('#korva-restart')]);
    await page.waitForFunction(() => window.Module && Module.korvaPage &&
                                      document.querySelectorAll('.korva-window').length >= 2);
    await korva.idle(page);
    check('"Start it again" starts it again', null);
    await korva.press(page, 'Control+Q').catch(() => {});
    check('Ctrl+Q ends the program', await ended());
  } finally {
    if (failures) console.log(log.join('\n'));
    await browser.close();
  }
  const {browser: plain, page: noWasm} = await korva.launch();
  try {
    await noWasm.addInitScript(() => { delete window.WebAssembly; });
    await noWasm.goto(server.url + 'bugdemo.html');
    const sentence = await noWasm.textContent('#korva-no-wasm');
    const shown = await noWasm.isVisible('#korva-no-wasm');
    check('without WebAssembly the page says so',
          shown && /WebAssembly/.test(sentence) ? null : 'no sentence');
  } finally {
    await plain.close();
  }
}

// A device scale factor of 2: each of the program's pixels is a 2 x 2 block, and the picture
// is the desktop's.
async function scaleTest(server, work) {
  const {browser, page, log} = await korva.launch({scale: 2});
  try {
    await korva.open(page, server.url + 'bugdemo.html', {halt: true});
    await korva.stopClock(page);
    const picture = await korva.pixels(page, GRAPHICS);
    const box = await korva.windowBox(page, GRAPHICS);
    check('scale 2', box.scale === 2 ? null : `the page shows at scale ${box.scale}`);
    check('each pixel a 2x2 block', picture.blocks ? null : 'some block has two colours');
    check('the desktop\'s picture at scale 2',
          ticksOfFirstFrame(work, picture) >= 0 ? null : 'no native first frame is the same');
    await clickAt(40, 183).web(page);
    check('a click at scale 2 lands on its pixel (Add Bug)',
          korva.difference(picture, await korva.pixels(page, GRAPHICS)) ? null : 'nothing changed');
  } finally {
    if (failures) console.log(log.join('\n'));
    await browser.close();
  }
}

const TESTS = {pixels: pixelsTest, scripts: scriptsTest, storage: refusedStorageTest,
               pages: pagesTest, scale: scaleTest, hello: helloTest};


async function main() {
  if (!fs.existsSync('/usr/bin/chromium')) {
    console.log('skipped: Debian\'s chromium is not installed (make test installs it)');
    process.exit(77);
  }
  const page = testName === 'hello' ? 'hello.html' : 'bugdemo.html';
  if (!fs.existsSync(path.join(pagesDir, page))) {
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
    // KORVA_WEB_KEEP=DIR keeps the native runs' files there, to look at after a failure.
    if (process.env.KORVA_WEB_KEEP) fs.cpSync(work, process.env.KORVA_WEB_KEEP, {recursive: true});
    await server.close();
    fs.rmSync(work, {recursive: true, force: true});
  }
  process.exit(failures ? 1 : 0);
}

main().catch((error) => {
  console.log('FAILED: ' + (error.stack || error));
  process.exit(1);
});
