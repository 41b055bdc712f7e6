#!/usr/bin/env node
// The web build's benchmarks in headless Chromium, as rows for bench/run.sh's table
// ("row|figure|value|unit|budget|lt or le", one a line):
//   node web_bench.js PAGES_DIR BENCH_PAGES_DIR NATIVE_FRAME_US
// - the demo's frame in WebAssembly (bench/web/frame_page) against the native frame of the
//   same run (NATIVE_FRAME_US, frame_bench's median);
// - page load to the first frame on screen, median of LOADS fresh browser profiles;
// - the demo page's download, raw and compressed with gzip;
// - the tab's CPU, the demo halted and running: its main thread's busy time over a span of
//   CPU_SECONDS, from Chromium's own task metrics.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const korva = require('../../tests/web/korva_page');

const [pagesDir, benchDir, nativeFrame] = process.argv.slice(2);
const LOADS = Number(process.env.WEB_LOADS || 5);
const CPU_SECONDS = Number(process.env.WEB_CPU_SECONDS || 5);

const row = (figure, value, unit, budget = '', compare = 'lt') =>
  console.log(`row|${figure}|${value}|${unit}|${budget}|${compare}`);
const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function frameInWasm(benchServer) {
  const {browser, page} = await korva.launch();
  try {
    await page.goto(benchServer.url + 'frame_page.html');
    await page.waitForFunction(() => window.korvaFrameUs, null, {timeout: 120000});
    return await page.evaluate(() => window.korvaFrameUs);
  } finally {
    await browser.close();
  }
}

async function loadToFirstFrame(server) {
  const times = [];
  for (let i = 0; i < LOADS; i++) {
    const {browser, page} = await korva.launch();
    try {
      await page.goto(server.url + 'bugdemo.html');
      await page.waitForFunction(() => window.Module && Module.korvaPage &&
                                        Module.korvaPage.firstFrameShown, null, {timeout: 30000});
      times.push(await page.evaluate(() => Module.korvaPage.firstFrameShown));
    } finally {
      await browser.close();
    }
  }
  return median(times);
}

function pageSize(dir) {
  let raw = 0, gzipped = 0;
  for (const ext of ['html', 'js', 'wasm', 'data']) {
    const bytes = fs.readFileSync(path.join(dir, 'bugdemo.' + ext));
    raw += bytes.length;
    gzipped += zlib.gzipSync(bytes, {level: 9}).length;
  }
  return {raw, gzipped};
}

// The share of a core the page's main thread was busy, over CPU_SECONDS.
async function tabCpu(server, halted) {
  const {browser, page} = await korva.launch();
  try {
    await korva.open(page, server.url + 'bugdemo.html', {halt: halted});
    const session = await page.context().newCDPSession(page);
    await session.send('Performance.enable');
    const busy = async () => (await session.send('Performance.getMetrics')).metrics
                                 .find((m) => m.name === 'TaskDuration').value;
    await page.waitForTimeout(1000); // past the start-up
    const before = await busy(), start = Date.now();
    await page.waitForTimeout(CPU_SECONDS * 1000);
    const after = await busy();
    return (after - before) / ((Date.now() - start) / 1000) * 100;
  } finally {
    await browser.close();
  }
}

async function main() {
  const server = await korva.serve(pagesDir);
  const benchServer = await korva.serve(benchDir);
  try {
    const wasm = await frameInWasm(benchServer);
    row('web: frame in WebAssembly (Chromium)', wasm.toFixed(1), 'us');
    if (Number(nativeFrame) > 0)
      row('  / the native frame, same run', (wasm / Number(nativeFrame)).toFixed(3), 'x', 2, 'le');
    row(`web: page load to first frame (median of ${LOADS})`,
        (await loadToFirstFrame(server)).toFixed(0), 'ms', 1000);
    const size = pageSize(pagesDir);
    row('web: the demo page\'s download', (size.raw / 1e6).toFixed(2), 'MB', 3);
    row('  compressed with gzip', (size.gzipped / 1e6).toFixed(2), 'MB', 1);
    row('web: tab CPU, halted', (await tabCpu(server, true)).toFixed(2), '% core', 1);
    row('web: tab CPU, running', (await tabCpu(server, false)).toFixed(2), '% core', 5);
  } finally {
    await server.close();
    await benchServer.close();
  }
}

main().catch((error) => {
  console.error('web_bench: ' + (error.stack || error));
  process.exit(1);
});
