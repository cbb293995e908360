// A gauge developer's and a designer's round trips, in real Chromium: a module
// rebuilt under the running workbench is loaded again and the page shows its gauges
// as before; a session recorded on one workbench plays back on another to the same
// pictures.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import {
  api, gaugePixels, openBrowser, openWorkbench, pixelsChanged, settle, startServer, temporaryDirectory,
} from './workbench.mjs';

const PANEL = [
  '[Window00]',
  'size_mm=500,250',
  'gauge00=Marlow_Instr!Airspeed, 0, 0, 200',
  'gauge01=Marlow_Instr!Altimeter, 220, 0, 200',
  'gauge02=probe_module!Probe, 440, 0, 50, 50',
  '',
].join('\n');

const folder = temporaryDirectory('panel-design-');
before(() => {
  fs.writeFileSync(path.join(folder, 'panel.cfg'), PANEL);
  // Files of their own, as a build leaves them: the probe's is rebuilt below.
  fs.copyFileSync(process.env.MARLOW_MODULE, path.join(folder, 'Marlow_Instr.so'));
  fs.copyFileSync(process.env.PROBE_MODULE, path.join(folder, 'probe_module.so'));
});
after(() => {
  fs.rmSync(folder, { recursive: true, force: true });
});

// The workbench of `args` open in a browser of its own, for `use(page, url)`; the
// browser goes before the server stops (its open connections would hold the stop).
async function withWorkbench(args, use) {
  const server = await startServer(args);
  const browser = await openBrowser();
  try {
    const page = await openWorkbench(browser.context, server.url);
    await use(page, server.url);
    assert.deepEqual(page.errors, []);
  } finally {
    await browser.close();
    assert.equal(await server.stop(), 0, server.errors());
  }
}

async function modules(url) {
  return (await fetch(new URL('api/modules', url))).json();
}

async function until(condition, what, seconds = 15) {
  for (let waited = 0; waited < seconds * 10; waited += 1) {
    if (await condition()) return;
    await new Promise((done) => setTimeout(done, 100));
  }
  assert.fail(`waited ${seconds} s for ${what}`);
}

test('a module rebuilt under the running workbench is loaded again, and the panel shows as before', async () => {
  await withWorkbench(['--panel', path.join(folder, 'panel.cfg'), '--modules', folder], async (page, url) => {
    assert.equal((await api(url, 'variable', { id: 61, value: 123 })).status, 200);
    await settle(page);
    const before = await gaugePixels(page, 'Airspeed');
    const probe = (list) => list.find((module) => module.name === 'probe_module');
    assert.equal(probe(await modules(url)).loads, 1);
    assert.equal(probe(await modules(url)).path, path.join(folder, 'probe_module.so'));

    // The linker writes a new file and puts it in the old one's place.
    const fresh = path.join(folder, 'probe_module.so.new');
    fs.copyFileSync(process.env.PROBE_MODULE, fresh);
    fs.renameSync(fresh, path.join(folder, 'probe_module.so'));
    const layout = await page.evaluate(() => window.workbench.layout.layout);
    await until(async () => probe(await modules(url)).loads === 2, 'the second load');
    await page.waitForFunction((old) => window.workbench.layout.layout > old, layout);
    await settle(page);
    assert.equal(await page.locator('canvas.gauge[data-gauge="Probe"]').count(), 1);
    assert.equal(pixelsChanged(before, await gaugePixels(page, 'Airspeed')), 0,
      'the simulator kept its airspeed');
    assert.match(await page.locator('#stats').textContent(), /^probe_module loaded again \(load 2\) at .+ · host cycle/,
      'the status line tells the developer the build is in');
  });
});

test('a recorded session plays back to the same pictures', async () => {
  const recording = path.join(folder, 'recorded.json');
  const panel = ['--panel', path.join(folder, 'panel.cfg'), '--modules', folder];
  let recorded;
  await withWorkbench(panel, async (page, url) => {
    assert.equal((await api(url, 'recording', { action: 'start' })).status, 200);
    assert.equal((await api(url, 'variable', { id: 61, value: 140 })).status, 200);
    assert.equal((await api(url, 'key', { event: 'KOHLSMAN_INC', value: 0 })).status, 200);
    await page.waitForTimeout(300);
    const stopped = await api(url, 'recording', { action: 'stop', file: recording });
    assert.equal(stopped.status, 200, stopped.text);
    await settle(page);
    recorded = { airspeed: await gaugePixels(page, 'Airspeed'), altimeter: await gaugePixels(page, 'Altimeter') };
  });
  await withWorkbench([...panel, '--scenario', recording], async (page) => {
    await page.waitForTimeout(1000); // the recording lasts under half a second
    await settle(page);
    assert.equal(pixelsChanged(recorded.airspeed, await gaugePixels(page, 'Airspeed')), 0);
    assert.equal(pixelsChanged(recorded.altimeter, await gaugePixels(page, 'Altimeter')), 0);
  });
});
