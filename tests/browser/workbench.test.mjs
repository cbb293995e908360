// The workbench in real Chromium: the example panel live, and a test panel with
// the probe module's clickable areas. Run by CTest; `node --test` runs it by hand
// with PANELHOST, MARLOW_MODULE and PROBE_MODULE set.
//
// To test a new gauge's clicks, place it in examples/panel.cfg and add a test to
// the first group with the helpers, e.g.
//   await clickGauge(page, 'Becker_AR3202_COM1', 40, 60);
//   assert.equal((await keyLog(page))[0].name, 'COM_WHOLE_INC');
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  api, clickGauge, dragSlider, gaugePixels, gaugePoint, keyLog, listenForSounds, moduleFolder,
  openBrowser, openWorkbench, pauseScenario, picturesDrawn, pixelsChanged, settle, startServer,
  temporaryDirectory, waitForNewPicture,
} from './workbench.mjs';

let browser;
before(async () => { browser = await openBrowser(); });
after(async () => { await browser.close(); });

describe('the example panel', () => {
  let server;
  let page;
  before(async () => {
    server = await startServer();
    page = await openWorkbench(browser.context, server.url);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    assert.equal(await server.stop(), 0, server.errors());
  });

  test('shows the picture of every placed gauge', async () => {
    const layout = await (await fetch(new URL('api/layout', server.url))).json();
    assert.ok(layout.gauges.length >= 7);
    // Sub-panel windows start closed; their gauges are drawn once they open.
    const shown = Object.fromEntries(await page.$$eval('.window', (windows) =>
      windows.map((window) => [window.dataset.window, window.checkVisibility()])));
    const placed = new Map(); // how often each gauge was met so far: its canvas' nth
    for (const gauge of layout.gauges) {
      const nth = placed.get(gauge.name) ?? 0;
      placed.set(gauge.name, nth + 1);
      if (!shown[gauge.window]) continue;
      await waitForNewPicture(page, gauge.name, 0, nth).catch((error) => {
        throw new Error(`no picture of ${gauge.name} (placement ${nth + 1}, window ${gauge.window}): ${error.message}`);
      });
      const pixels = await gaugePixels(page, gauge.name, nth);
      const opaque = pixels.data.filter((value, index) => index % 4 === 3 && value === 255).length;
      // Plates and buttons are mostly transparent; every gauge but the invisible
      // button draws something.
      if (gauge.name === 'Invisible_Toggle') assert.equal(opaque, 0);
      else assert.ok(opaque > 0, `${gauge.name} shows a picture`);
    }
    assert.equal(Object.values(shown).filter(Boolean).length, 2, 'the main panel and the compass');
  });

  test('a failure switch puts the airspeed needle to its failed reading and back', async () => {
    await pauseScenario(page, server.url);
    const field = page.locator('input[data-variable="61"]');
    const parked = await picturesDrawn(page, 'Airspeed');
    await field.fill('150');
    await field.press('Enter');
    await waitForNewPicture(page, 'Airspeed', parked);
    await settle(page);
    const flying = await gaugePixels(page, 'Airspeed');

    const drawn = await picturesDrawn(page, 'Airspeed');
    await page.locator('input[data-failure="3"]').check();
    await waitForNewPicture(page, 'Airspeed', drawn);
    const failed = await gaugePixels(page, 'Airspeed');
    assert.ok(pixelsChanged(flying, failed) > 200, 'the needle moved to 0');

    const failedDrawn = await picturesDrawn(page, 'Airspeed');
    await page.locator('input[data-failure="3"]').uncheck();
    await waitForNewPicture(page, 'Airspeed', failedDrawn);
    assert.equal(pixelsChanged(flying, await gaugePixels(page, 'Airspeed')), 0);
  });

  test('the scenario plays, pauses and steps from the toolbar', async () => {
    await pauseScenario(page, server.url);
    const time = () => page.locator('#scenario-time').textContent();
    const before = await time();
    await page.locator('#step').click();
    await page.waitForFunction((shown) => document.getElementById('scenario-time').textContent !== shown, before);
    await page.locator('#play').click();
    await page.waitForFunction(() => document.getElementById('play').textContent === 'Pause');
  });

  test('the pointer shows the gauge tooltip from its help id', async () => {
    const point = await gaugePoint(page, 'Vertical_Speed', 150, 150);
    await page.mouse.move(point.x, point.y);
    await page.waitForSelector('#tooltip:not([hidden])');
    assert.equal(await page.locator('#tooltip').textContent(), 'Vertical speed indicator (feet per minute)');
  });

  test('the radio toggle opens the radio stack, where the COM steps its preset and clicks', async () => {
    await pauseScenario(page, server.url);
    await listenForSounds(page);
    const stack = page.locator('.window[data-window="2"]');
    assert.equal(await stack.isVisible(), false, 'closed at the start');
    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'visible' });
    await settle(page);

    const com = 'Becker_AR3202_COM1';
    const stepsSent = async () => (await keyLog(page)).filter((row) => row.name === 'COM_FRACTION_INC').length;
    // The ON button toggles; the scenario may have switched the set on already.
    for (let presses = 1; ; presses += 1) {
      const drawn = await picturesDrawn(page, com);
      await clickGauge(page, com, 100, 85); // ON
      await waitForNewPicture(page, com, drawn);
      // The host heard the head's click and the page plays it from the module.
      await page.waitForFunction((count) => window.soundsPlayed
        .filter((sound) => sound === '/module/Marlow_Instr/wave/30').length === count, presses);
      await settle(page);
      const on = await gaugePixels(page, com);

      const steps = await stepsSent();
      const knobbed = await picturesDrawn(page, com);
      await clickGauge(page, com, 305, 66); // the knob's fraction, up
      await settle(page);
      if (await stepsSent() === steps) {
        assert.equal(presses, 1, 'the second press switched the set on');
        continue; // the first press switched it off
      }
      await waitForNewPicture(page, com, knobbed);
      await settle(page);
      assert.ok(pixelsChanged(on, await gaugePixels(page, com)) > 10, 'the preset window shows the step');
      break;
    }

    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'hidden' });
  });

  test('the radios\' failure switch hides the COM\'s windows and lamp, and repair shows them', async () => {
    // The COM is on since the test before.
    await pauseScenario(page, server.url);
    const stack = page.locator('.window[data-window="2"]');
    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'visible' });
    await settle(page);
    const com = 'Becker_AR3202_COM1';
    const working = await gaugePixels(page, com);

    const drawn = await picturesDrawn(page, com);
    await page.locator('input[data-failure="21"]').check();
    await waitForNewPicture(page, com, drawn);
    await settle(page);
    // The ACTIVE and PRESET windows make up the head's upper part.
    const windows = { left: 0, top: 0, right: 1, bottom: 0.5 };
    assert.ok(pixelsChanged(working, await gaugePixels(page, com), windows) > 500, 'the windows are blank');

    const failed = await picturesDrawn(page, com);
    await page.locator('input[data-failure="21"]').uncheck();
    await waitForNewPicture(page, com, failed);
    await settle(page);
    assert.equal(pixelsChanged(working, await gaugePixels(page, com)), 0);

    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'hidden' });
  });

  test('dragging the altitude turns the altimeter\'s drums', async () => {
    await pauseScenario(page, server.url);
    const field = page.locator('input[data-variable="74"]');
    const slider = page.locator('.variable:has(input[data-variable="74"]) input[type="range"]');
    const drawn = await picturesDrawn(page, 'Altimeter');
    await field.fill('2500');
    await field.press('Enter');
    await waitForNewPicture(page, 'Altimeter', drawn);
    await settle(page);
    const low = await gaugePixels(page, 'Altimeter');

    await dragSlider(page, slider, 0.2, 0.6);
    await settle(page);
    const dragged = Number(await field.inputValue());
    assert.ok(dragged > 15000 && dragged < 19000, `dragged to ${dragged} ft`);
    // The altitude counter's window (a tenth of the face): its drums show new figures,
    // far more pixels than the thin pointer alone could change there.
    const counter = { left: 92 / 300, top: 96 / 300, right: 200 / 300, bottom: 126 / 300 };
    const changed = pixelsChanged(low, await gaugePixels(page, 'Altimeter'), counter);
    assert.ok(changed > 60, `${changed} pixels of the counter changed`);
  });

  test('bad requests get 400 and a message, and the host runs on', async () => {
    const refused = [
      ['variable', 'not json'],
      ['variable', { id: 61 }],
      ['variable', { id: 99999, value: 1 }],
      ['mouse', { action: 'press', layout: 1, gauge: 5000, x: 1, y: 1, button: 'left' }],
      ['mouse', { action: 'press', layout: 1, gauge: 0, x: 'left', y: 1, button: 'left' }],
      ['key', { event: 'NO_SUCH_EVENT', value: 0 }],
      ['scenario', { action: 'step', seconds: -5 }],
      ['nothing', {}],
    ];
    for (const [kind, body] of refused) {
      const { status, text } = await api(server.url, kind, body);
      assert.ok(status === 400 || status === 404, `${kind} ${JSON.stringify(body)} gave ${status}`);
      if (status === 400) assert.ok(text.length > 5, 'with a message');
    }
    const stats = await (await fetch(new URL('api/stats', server.url))).json();
    assert.ok(stats.cycle > 0);
  });

  test('serves the click sounds from the module', async () => {
    const response = await fetch(new URL('module/Marlow_Instr/wave/30', server.url));
    assert.equal(response.status, 200);
    const bytes = Buffer.from(await response.arrayBuffer());
    assert.equal(bytes.subarray(0, 4).toString(), 'RIFF');
    assert.equal((await fetch(new URL('module/Marlow_Instr/wave/31', server.url))).status, 404);
  });

  test('a picture of the whole page, on the ILS approach past the outer marker', async () => {
    await api(server.url, 'scenario', { action: 'restart' });
    await api(server.url, 'scenario', { action: 'step', seconds: 450 });
    await api(server.url, 'scenario', { action: 'play' });
    await page.mouse.move(1, 1);
    await page.waitForTimeout(2000);
    const file = process.env.WORKBENCH_SCREENSHOT;
    if (file) await page.screenshot({ path: file });
    const stats = await (await fetch(new URL('api/stats', server.url))).json();
    console.log(`workbench while playing: ${JSON.stringify(stats)}`);
  });
});

describe('a panel with clickable areas', () => {
  const folder = temporaryDirectory('workbench-panel-');
  const panelFile = path.join(folder, 'panel.cfg');
  const panel = `[Window00]
size_mm=400,200
gauge00=Marlow_Instr!Airspeed, 0, 0, 200
gauge01=probe_module!Probe, 220, 0, 100, 100
`;
  let modules;
  let server;
  let page;
  before(async () => {
    fs.writeFileSync(panelFile, panel);
    modules = moduleFolder({ Marlow_Instr: process.env.MARLOW_MODULE, probe_module: process.env.PROBE_MODULE });
    server = await startServer(['--panel', panelFile, '--scenario', '', '--modules', modules]);
    page = await openWorkbench(browser.context, server.url);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    assert.equal(await server.stop(), 0, server.errors());
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(modules, { recursive: true, force: true });
  });

  test('a click sends the area\'s key event; holding the button repeats it', async () => {
    await clickGauge(page, 'Probe', 15, 5);
    await page.waitForFunction(() => document.querySelectorAll('#key-log tbody tr').length >= 2);
    const log = await keyLog(page);
    assert.equal(log.filter((row) => row.name === 'KEY_0x10100').length, 1);

    await clickGauge(page, 'Probe', 15, 5, { hold: 650 });
    await page.waitForTimeout(300);
    const repeats = (await keyLog(page)).filter((row) => row.name === 'KEY_0x10100').length - 1;
    assert.ok(repeats >= 3 && repeats <= 6, `held 650 ms: ${repeats} calls (first, 300, 400, 500, 600 ms)`);
  });

  test('the cursor over an area is the area\'s cursor, and the switch outlines the areas', async () => {
    const cursorAt = async (x, y) => {
      const point = await gaugePoint(page, 'Probe', x, y);
      await page.mouse.move(point.x, point.y);
      return page.locator('canvas.gauge[data-gauge="Probe"]').evaluate((canvas) => canvas.style.cursor);
    };
    assert.equal(await cursorAt(5, 5), 'pointer');
    assert.match(await cursorAt(15, 5), /^url\(.*n-resize$/);
    assert.equal(await cursorAt(50, 50), 'default');

    const outline = page.locator('svg.gauge-outline >> nth=1');
    assert.equal(await outline.isVisible(), false);
    await page.locator('#outlines').check();
    assert.equal(await outline.isVisible(), true);
    assert.equal(await outline.locator('rect.clickable').count(), 2);
  });

  test('a changed panel file is placed anew and its problems are shown', async () => {
    const layout = await page.evaluate(() => window.workbench.layout.layout);
    fs.writeFileSync(panelFile, `${panel}gauge02=Marlow_Instr!Nothing_Here, 0, 0, 100\n`);
    await page.waitForFunction((old) => window.workbench.layout.layout > old, layout);
    await page.waitForSelector('#problems:not([hidden])');
    assert.match(await page.locator('#problem-list').textContent(), /panel\.cfg:5: module Marlow_Instr has no gauge named Nothing_Here/);
    assert.equal(await page.locator('canvas.gauge').count(), 2);
  });
});
