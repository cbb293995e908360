// The workbench on a phone (390 x 844 CSS pixels, three device pixels to each, a
// touchscreen) in real Chromium. The radio stack alone shows every head whole in
// the width; a tap on a control a finger can tell apart presses it, one among
// controls too close together magnifies the window first. A phone watching the
// session beside a desktop asks no more picture pixels than its budget, so that the
// host keeps drawing for both at its rate. Leaves pictures of the phone next to the
// program (phone-main.png, phone-radio-stack.png).
// Run by CTest; by hand with PANELHOST, MARLOW_MODULE and PROBE_MODULE set.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  blurred, describeSizes, eventually, gaugePoint, openWorkbench, pictureSizes, picturesDrawn,
  picturesFolder, screensAndServer, settle, tapGauge, waitForNewPicture,
} from './workbench.mjs';

const PHONE = { width: 390, height: 844, touch: true, mobile: true, pixelRatio: 3 };
const HEADS = ['Becker_AR3202_COM1', 'Becker_NR3320_NAV1', 'Becker_NR3320_NAV2', 'Becker_AD3502_ADF',
               'Becker_ATC3401_XPDR', 'Bendix_KD1572_DME'];
const COM = HEADS[0];
const XPDR = 'Becker_ATC3401_XPDR';
// The transponder's code wheels: four columns 16 design pixels wide side by side,
// each split into an upper half (up) and a lower one; the first upper half.
const FIRST_WHEEL_UP = { x: 76, y: 13 };
// The pixels of one window's pictures a page may ask beyond one per CSS pixel it
// shows (panel_view.js, WINDOW_PIXELS).
const WINDOW_PIXELS = 1e6;

const session = screensAndServer();

// The mouse commands a page sends, as they go.
function recordPresses(page) {
  const presses = [];
  page.on('request', (request) => {
    if (request.url().endsWith('/api/mouse')) presses.push(request.postDataJSON());
  });
  return presses;
}

describe('the radio stack alone on a phone', () => {
  let page;
  let presses;
  before(async () => {
    page = await openWorkbench(await session.screens.open(PHONE), new URL('window/RADIO_STACK_PANEL', session.server.url).href);
    presses = recordPresses(page);
    await page.locator(`canvas.gauge[data-gauge="${COM}"]`).waitFor({ state: 'visible' });
    await settle(page);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    await page.context().close();
  });

  const headsOutside = () => page.$$eval('canvas.gauge', (canvases, width) => canvases
    .filter((canvas) => canvas.checkVisibility())
    .filter((canvas) => {
      const box = canvas.getBoundingClientRect();
      return box.left < -0.5 || box.right > width + 0.5;
    })
    .map((canvas) => canvas.dataset.gauge), PHONE.width);

  test('shows every head whole in the width of the screen, sharp', async () => {
    const shown = (await pictureSizes(page)).map((size) => size.gauge);
    for (const head of HEADS) assert.ok(shown.includes(head), `${head} shown`);
    assert.deepEqual(await headsOutside(), []);
    const sharp = await eventually(async () => (await pictureSizes(page))
      .every((size) => size.drawn >= size.shown / 1.5 - 3));
    assert.ok(sharp, 'about two device pixels of three drawn');
    await page.screenshot({ path: path.join(picturesFolder, 'phone-radio-stack.png') });
  });

  test('a tap on a control a finger can tell apart presses it', async () => {
    const drawn = await picturesDrawn(page, COM);
    const before = presses.length;
    await tapGauge(page, COM, 100, 85);   // the ON button
    await waitForNewPicture(page, COM, drawn);
    assert.deepEqual(presses.slice(before).map((body) => body.action), ['press', 'release']);
    assert.deepEqual(await headsOutside(), [], 'nothing magnified');
  });

  test('a tap among controls too close for a finger magnifies them, the next tap presses', async () => {
    const before = presses.length;
    const wheel = await gaugePoint(page, XPDR, FIRST_WHEEL_UP.x, FIRST_WHEEL_UP.y);
    await page.touchscreen.tap(wheel.x, wheel.y);
    await page.waitForFunction(() => document.querySelector('.window:not([hidden]) .window-face')
      .getBoundingClientRect().width > window.innerWidth);
    assert.equal(presses.length, before, 'that tap pressed nothing');
    const under = await gaugePoint(page, XPDR, FIRST_WHEEL_UP.x, FIRST_WHEEL_UP.y);
    assert.ok(Math.hypot(under.x - wheel.x, under.y - wheel.y) < 6, 'the wheel stays under the finger');
    const width = (await page.locator(`canvas.gauge[data-gauge="${XPDR}"]`).boundingBox()).width;
    assert.ok(width * 16 / 350 >= 24 - 0.5, `a code wheel now ${(width * 16 / 350).toFixed(1)} px wide`);

    await tapGauge(page, XPDR, FIRST_WHEEL_UP.x, FIRST_WHEEL_UP.y);
    assert.ok(await eventually(async () => presses.length > before), 'the second tap pressed');
    const press = presses.slice(before).find((body) => body.action === 'press');
    assert.ok(press && press.x >= 68 && press.x < 84 && press.y < 26, `pressed ${JSON.stringify(press)}`);

    // Left alone, the window comes back whole.
    assert.ok(await eventually(async () => (await headsOutside()).length === 0, 12000), 'back to the whole width');
  });
});

describe('a desktop and a phone on one session', () => {
  let desktop;
  let phone;
  before(async () => {
    desktop = await openWorkbench(await session.screens.open({ width: 1400, height: 900 }), session.server.url);
    phone = await openWorkbench(await session.screens.open(PHONE), session.server.url);
  });
  after(async () => {
    assert.deepEqual(desktop.errors, []);
    assert.deepEqual(phone.errors, []);
    await desktop.context().close();
    await phone.context().close();
  });

  // By window: the pixels of its pictures, and the CSS pixels of it the phone has
  // on its screen at once.
  const windowPixels = () => phone.evaluate(() => {
    const byWindow = new Map();
    for (const canvas of document.querySelectorAll('canvas.gauge')) {
      if (!canvas.checkVisibility()) continue;
      const windowIndex = window.workbench.layout.gauges[Number(canvas.dataset.id)].window;
      const face = document.querySelector(`.window[data-window="${windowIndex}"] .window-face`);
      const box = face.getBoundingClientRect();
      const seen = Math.min(box.width * box.height, window.innerWidth * window.innerHeight);
      const entry = byWindow.get(windowIndex) || { window: windowIndex, pixels: 0, seen };
      entry.pixels += canvas.width * canvas.height;
      byWindow.set(windowIndex, entry);
    }
    return [...byWindow.values()];
  });

  test('the pictures the host draws for the phone stay within its budget, none coarser than the phone shows', async () => {
    await settle(phone);
    const within = (sizes) => sizes.length > 0 &&
      sizes.every((size) => size.pixels <= Math.max(WINDOW_PIXELS, size.seen) * 1.1);
    assert.ok(await eventually(async () => within(await windowPixels())), JSON.stringify(await windowPixels()));
    const main = (await windowPixels()).find((size) => size.window === 0);
    assert.ok(main.pixels < 1.2e6, `the main panel's pictures are ${main.pixels} pixels`);
    // The desktop shows the same pictures, at least as sharp as its own ask.
    for (const page of [desktop, phone]) {
      const sizes = await pictureSizes(page);
      assert.deepEqual(blurred(sizes), [], describeSizes(blurred(sizes)));
    }
    await phone.screenshot({ path: path.join(picturesFolder, 'phone-main.png') });
  });
});
