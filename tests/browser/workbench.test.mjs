// The workbench in real Chromium: the example panel live, a test panel with the
// probe module's clickable areas, and one whose windows the panel file places on
// the screen, with backgrounds, a 3D cockpit panel and gauges that cannot run.
// Run by CTest; `node --test` runs it by hand with PANELHOST, MARLOW_MODULE and
// PROBE_MODULE set.
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
  api, bmpFile, clickGauge, dragSlider, gaugePixels, gaugePoint, keyLog, listenForSounds,
  moduleFolder, openBrowser, openWorkbench, pageColours, pauseScenario, picturesDrawn,
  pixelsChanged, settle, startPanelServer, startServer, temporaryDirectory, waitForNewPicture,
  windowFace,
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

  test('while the flight is paused, frames leave the page as it is but for the cycle count', async () => {
    await pauseScenario(page, server.url);
    const seen = await page.evaluate(async () => {
      let changes = 0;
      const observer = new MutationObserver((records) => { changes += records.length; });
      observer.observe(document.body, { subtree: true, childList: true, characterData: true, attributes: true });
      const frames = window.workbench.frames;
      await new Promise((resolve) => setTimeout(resolve, 1000));
      observer.disconnect();
      return { changes, frames: window.workbench.frames - frames };
    });
    // The cycle count (text and title) four times a second and the stats line once.
    assert.ok(seen.frames >= 10, `${seen.frames} frames in a second`);
    assert.ok(seen.changes <= 12, `${seen.changes} changes to the page in a second of ${seen.frames} frames`);
  });

  test('the pointer shows the gauge tooltip from its help id', async () => {
    const point = await gaugePoint(page, 'Vertical_Speed', 150, 150);
    await page.mouse.move(point.x, point.y);
    await page.waitForSelector('#tooltip:not([hidden])');
    assert.equal(await page.locator('#tooltip').textContent(), 'Vertical speed indicator (feet per minute)');

    // Across the same area the tip keeps its text and follows the pointer.
    await page.evaluate(() => {
      window.tipChanges = 0;
      new MutationObserver((records) => { window.tipChanges += records.length; })
        .observe(document.getElementById('tooltip'), { childList: true, characterData: true, subtree: true });
    });
    for (let step = 1; step <= 10; ++step) await page.mouse.move(point.x + 3 * step, point.y + 2 * step);
    const tip = await page.locator('#tooltip').boundingBox();
    assert.equal(await page.evaluate(() => window.tipChanges), 0, 'the text is not written again');
    assert.deepEqual([Math.round(tip.x), Math.round(tip.y)], [Math.round(point.x + 30 + 14), Math.round(point.y + 20 + 18)]);
  });

  test('the innermost area with help gives the tip: the HSI\'s knobs, not its face', async () => {
    const tipAt = async (x, y, text) => {
      const point = await gaugePoint(page, 'HSI', x, y);
      await page.mouse.move(point.x, point.y);
      await page.waitForFunction((want) => document.getElementById('tooltip').textContent === want
        && !document.getElementById('tooltip').hidden, text);
    };
    await tipAt(150, 150, 'Horizontal situation indicator');
    await tipAt(245, 260, 'Heading bug knob');
    await tipAt(30, 260, 'Course knob');
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

  test('what the pilot sets holds while the flight plays: the altimeter knob, a COM switched on by hand', async () => {
    // The flight sets the pressure on every cycle until it changes it at 290 s.
    await api(server.url, 'scenario', { action: 'restart' });
    await api(server.url, 'scenario', { action: 'step', seconds: 20 });
    await api(server.url, 'scenario', { action: 'play' });
    const setting = page.locator('input[data-variable="75"]');
    await page.waitForFunction(() => document.querySelector('input[data-variable="75"]').value === '1013.25');
    for (let click = 0; click < 3; click += 1) await clickGauge(page, 'Altimeter', 268, 250);
    await page.waitForTimeout(1500); // some 45 cycles of the flight
    assert.equal(Number(await setting.inputValue()), 1016, 'three millibars up, held');

    // The flight switches the avionics on at 45 s ("switch": "on"): a COM the pilot
    // switched on before stays on.
    await api(server.url, 'scenario', { action: 'pause' });
    await api(server.url, 'scenario', { action: 'restart' });
    await api(server.url, 'scenario', { action: 'step', seconds: 44 });
    const stack = page.locator('.window[data-window="2"]');
    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'visible' });
    await settle(page);
    const com = 'Becker_AR3202_COM1';
    const lampLit = async () => {
      const picture = await gaugePixels(page, com);
      const scale = picture.width / 350; // the lamp's middle at design (175, 56)
      const i = 4 * (Math.round(56 * scale) * picture.width + Math.round(175 * scale));
      return picture.data[i] > 200 && picture.data[i + 1] > 150 && picture.data[i + 2] < 100;
    };
    if (await lampLit()) { // on from an earlier test: off first, to switch it on by hand
      await clickGauge(page, com, 100, 85);
      await settle(page);
    }
    assert.equal(await lampLit(), false);
    await clickGauge(page, com, 100, 85);
    await settle(page);
    assert.equal(await lampLit(), true, 'switched on by hand');
    await api(server.url, 'scenario', { action: 'step', seconds: 3 });
    await settle(page);
    assert.equal(await lampLit(), true, 'still on after the flight\'s "on" click');
    await clickGauge(page, 'Radios_Toggle', 9, 9);
    await stack.waitFor({ state: 'hidden' });
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
    modules = moduleFolder({ Marlow_Instr: process.env.MARLOW_MODULE, probe_module: process.env.PROBE_MODULE });
    server = await startPanelServer(panelFile, panel, modules);
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

describe('a panel whose windows lie where the panel file puts them', () => {
  const folder = temporaryDirectory('workbench-placed-');
  const panelFile = path.join(folder, 'panel.cfg');
  // The flight window's background: black (transparent) above, sand below.
  const sand = 0xC8B464;
  const panel = `[Window Titles]
Window00=Flight instruments
Window01=Engine and radio

[Window00]
size_mm=600,300
position=0
window_size=0.45,0.4
background_color=40,60,90
file=flight_background.bmp
gauge00=Marlow_Instr!Airspeed,  20, 40, 180
gauge01=Marlow_Instr!Altimeter, 220, 40, 180
gauge02=Foreign_Gauges!Fuel Selector, 420, 60, 150, 120

[Window01]
size_mm=400,300
position=8
window_size=0.35,0.35
background_color=80,45,40
gauge00=Marlow_Instr!Torque, 20, 40, 160, , 1
htmlgauge00=Generic/Radios/COM/com.html?Index=1, 200, 80, 180, 90

[VCockpit01]
size_mm=512,512
pixel_size=512,512
texture=$Panel_1
gauge00=Marlow_Instr!Attitude, 0, 0, 512
`;
  let modules;
  let server;
  let page;
  before(async () => {
    fs.writeFileSync(path.join(folder, 'flight_background.bmp'),
                     bmpFile(60, 30, (x, y) => (y < 15 ? 0 : sand)));
    modules = moduleFolder({ Marlow_Instr: process.env.MARLOW_MODULE });
    server = await startPanelServer(panelFile, panel, modules);
    page = await openWorkbench(browser.context, server.url);
    await page.setViewportSize({ width: 1400, height: 900 });
    await settle(page);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    await page.close();
    assert.equal(await server.stop(), 0, server.errors());
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(modules, { recursive: true, force: true });
  });

  const screenBox = async () => {
    const box = await page.locator('#panel .screen').boundingBox();
    return { left: box.x, top: box.y, right: box.x + box.width, bottom: box.y + box.height,
             width: box.width, height: box.height };
  };
  const near = (actual, expected, what) =>
    assert.ok(Math.abs(actual - expected) <= 1.5, `${what}: ${actual} where ${expected} was expected`);

  test('position 0 lies at the top left of the screen, 8 at its bottom right, each at its window_size', async () => {
    const screen = await screenBox();
    const panelArea = await page.locator('#panel').boundingBox();
    near(screen.width, panelArea.width, 'the screen spans the panel area');
    near(screen.height, panelArea.height, 'the screen spans the panel area');

    const flight = await windowFace(page, 0);
    near(flight.left, screen.left, 'left of position 0');
    near(flight.top, screen.top, 'top of position 0');
    const engine = await windowFace(page, 1);
    near(engine.right, screen.right, 'right of position 8');
    near(engine.bottom, screen.bottom, 'bottom of position 8');

    // Each window keeps its proportions and fills its window_size on one side.
    for (const [face, [fw, fh], aspect] of [[flight, [0.45, 0.4], 2], [engine, [0.35, 0.35], 4 / 3]]) {
      const width = face.right - face.left;
      const height = face.bottom - face.top;
      assert.ok(Math.abs((width - 2) / (height - 2) - aspect) < 0.02, `aspect ${width} x ${height}`);
      assert.ok(width <= fw * screen.width + 1 && height <= fh * screen.height + 1, 'within its size');
      assert.ok(Math.abs(width - fw * screen.width) <= 1.5 || Math.abs(height - fh * screen.height) <= 1.5,
                `${width} x ${height} fills ${fw} x ${fh} of the screen on one side`);
    }
    assert.equal(await page.locator('.window[data-window="2"]').isVisible(), false, 'the cockpit panel starts closed');
  });

  test('the page\'s rule: a preset place or window_pos, window_size or panel units, size_ratio', async () => {
    // Worked out by the page's own functions on a screen of 1000 x 800.
    const rects = await page.evaluate(async () => {
      const { screenRect, screenUnitScale } = await import('./panel_view.js');
      const screen = { width: 1000, height: 800 };
      const window = (width, height, place) => ({
        width, height,
        screen: { position: null, window_pos: null, window_size: null, size_ratio: null, zorder: 0, ...place },
      });
      const rounded = (rect) => Object.fromEntries(Object.entries(rect).map(([key, value]) => [key, Math.round(value * 1000) / 1000]));
      return {
        middleRight: rounded(screenRect(window(400, 200, { position: 5, window_size: [0.5, 0.5] }), screen, 1)),
        atFractions: rounded(screenRect(window(100, 100, { window_pos: [0.1, 0.25], size_ratio: 2 }), screen, 0.5)),
        bottomMiddle: rounded(screenRect(window(600, 300, { position: 7 }), screen, 1)),
        units: [screenUnitScale([window(600, 300, { position: 7 })], 1024, 800),
                screenUnitScale([window(2000, 400, { position: 7 })], 1002, 800),
                screenUnitScale([window(2000, 400, { window_size: [1, 1] })], 1024, 800)],
      };
    });
    // 2:1 (and its border) in a box of half the screen, at the box's right and middle.
    assert.deepEqual(rects.middleRight, { left: 500, top: 274.5, width: 500, height: 251, scale: 1.245 });
    // window_pos gives the top left; size_ratio scales.
    assert.deepEqual(rects.atFractions, { left: 100, top: 200, width: 102, height: 102, scale: 1 });
    assert.deepEqual(rects.bottomMiddle, { left: 199, top: 498, width: 602, height: 302, scale: 1 });
    // Panel units: 1024 across the screen, fewer when a window would not fit; windows
    // with a window_size of their own do not count.
    assert.deepEqual(rects.units, [1, 0.5, 1]);
  });

  test('a window shows its background colour and its bitmap stretched over it, behind the gauges', async () => {
    const background = page.locator('.window[data-window="0"] img.window-background');
    await page.waitForFunction(() => {
      const image = document.querySelector('.window[data-window="0"] img.window-background');
      return image && image.complete && image.naturalWidth === 60;
    });
    const address = await page.evaluate(() => window.workbench.layout.windows[0].background);
    const served = await fetch(new URL(address, server.url));
    assert.equal(served.headers.get('content-type'), 'image/png');
    assert.equal(await page.locator('.window[data-window="1"] img.window-background').count(), 0);

    const face = await windowFace(page, 0);
    const box = await background.boundingBox();
    near(box.width, face.right - face.left - 2, 'the bitmap spans the window');
    near(box.height, face.bottom - face.top - 2, 'the bitmap spans the window');
    const at = (x, y) => ({ x: face.left + 1 + x / 600 * (face.right - face.left - 2),
                            y: face.top + 1 + y / 300 * (face.bottom - face.top - 2) });
    const engine = await windowFace(page, 1);
    const [above, below, other, airspeed] = await pageColours(page, [
      at(450, 20), at(300, 270),
      { x: (engine.left + engine.right) / 2, y: engine.top + 0.1 * (engine.bottom - engine.top) },
      at(110, 130)]);
    assert.deepEqual(above, [40, 60, 90], 'the colour through the bitmap\'s black');
    assert.deepEqual(below, [200, 180, 100], 'the bitmap');
    assert.deepEqual(other, [80, 45, 40], 'the other window\'s colour');
    assert.notDeepEqual(airspeed, [40, 60, 90], 'the airspeed indicator above the background');
  });

  test('a gauge that cannot run is a labelled box at its place that takes no presses', async () => {
    const box = page.locator('[data-placeholder="Foreign_Gauges!Fuel Selector"]');
    assert.equal(await box.isVisible(), true);
    const lines = await box.locator('span').allTextContents();
    assert.deepEqual(lines, ['Foreign_Gauges', 'Fuel Selector', 'module not found']);
    const face = await windowFace(page, 0);
    const scale = (face.right - face.left - 2) / 600;
    const place = await box.boundingBox();
    near(place.x, face.left + 1 + 420 * scale, 'placeholder left');
    near(place.y, face.top + 1 + 60 * scale, 'placeholder top');
    near(place.width, 150 * scale, 'placeholder width');
    near(place.height, 120 * scale, 'placeholder height');
    // Every line legible whole, at a readable size.
    const fit = await box.evaluate((element) => ({
      size: parseFloat(getComputedStyle(element).fontSize),
      clipped: [...element.children].filter((line) => line.scrollWidth > line.clientWidth).length,
    }));
    assert.ok(fit.size >= 9, `${fit.size} px`);
    assert.equal(fit.clipped, 0);

    const html = page.locator('[data-placeholder="Generic/Radios/COM/com.html?Index=1"]');
    assert.deepEqual(await html.locator('span').allTextContents(),
                     ['Generic/Radios/COM', 'com.html?Index=1', 'a newer kind of gauge']);
    // However small the box, the gauge and why it does not run show whole within it.
    for (const placeholder of [box, html]) {
      const outer = await placeholder.boundingBox();
      for (const line of ['.placeholder-gauge', '.placeholder-missing']) {
        const inner = await placeholder.locator(line).boundingBox();
        assert.ok(inner.y >= outer.y && inner.y + inner.height <= outer.y + outer.height + 0.5,
                  `${line} of ${await placeholder.getAttribute('data-placeholder')} inside its box`);
      }
    }

    const presses = [];
    const listener = (request) => { if (request.url().endsWith('/api/mouse')) presses.push(request.url()); };
    page.on('request', listener);
    await box.click();
    await box.click({ button: 'right' });
    await page.waitForTimeout(300);
    page.off('request', listener);
    assert.deepEqual(presses, []);
    await page.waitForSelector('#tooltip:not([hidden])');
    assert.match(await page.locator('#tooltip').textContent(), /Foreign_Gauges!Fuel Selector: module not found/);
  });

  test('the window list opens the cockpit panel, which shows its gauge', async () => {
    const names = await page.locator('#window-list .window-switch .name').allTextContents();
    assert.deepEqual(names, ['Flight instruments', 'Engine and radio', '$Panel_1']);
    const cockpitSwitch = page.locator('input[data-window-switch="2"]');
    assert.equal(await cockpitSwitch.isChecked(), false);
    await cockpitSwitch.check();
    const cockpit = page.locator('.window[data-window="2"]');
    await cockpit.waitFor({ state: 'visible' });
    await waitForNewPicture(page, 'Attitude', 0);
    const pixels = await gaugePixels(page, 'Attitude');
    assert.ok(pixels.data.filter((value, index) => index % 4 === 3 && value === 255).length > 1000);

    // It has no place on the screen: it lies above it, and the screen keeps its windows.
    const screen = await screenBox();
    const face = await windowFace(page, 2);
    assert.ok(face.bottom <= screen.top, `the cockpit panel (to ${face.bottom}) above the screen (from ${screen.top})`);
    near((await windowFace(page, 0)).top, screen.top, 'position 0 at the screen\'s top');
    near((await windowFace(page, 1)).bottom, screen.bottom, 'position 8 at the screen\'s bottom');

    await page.mouse.move(1, 1);
    await settle(page);
    const file = process.env.WORKBENCH_SCREENSHOT;
    if (file) await page.screenshot({ path: path.join(path.dirname(file), 'workbench_placed_windows.png') });

    await page.locator('input[data-window-switch="0"]').uncheck();
    await page.locator('.window[data-window="0"]').waitFor({ state: 'hidden' });
    await page.locator('input[data-window-switch="0"]').check();
    await page.locator('.window[data-window="0"]').waitFor({ state: 'visible' });
  });

  test('side by side puts every window in rows, in the panel file\'s order, and back', async () => {
    await page.locator('#arrangement').selectOption('side by side');
    assert.equal(await page.locator('#panel .screen').isVisible(), false);
    const faces = [await windowFace(page, 0), await windowFace(page, 1), await windowFace(page, 2)];
    // Each window right of the one before on its row, or on a row below it.
    for (let i = 1; i < faces.length; i += 1) {
      const sameRow = Math.abs(faces[i].top - faces[i - 1].top) <= 1.5;
      assert.ok(sameRow ? faces[i - 1].right < faces[i].left : faces[i].top > faces[i - 1].bottom,
                `window ${i} after window ${i - 1}, in the panel file's order`);
    }

    await page.locator('#arrangement').selectOption('screen');
    assert.equal(await page.locator('#panel .screen').isVisible(), true);
    near((await windowFace(page, 1)).bottom, (await screenBox()).bottom, 'position 8 at the bottom again');
  });
});
