// The workbench on screens of every size, in real Chromium: a desktop, a small
// laptop, a tablet and a phone (the last two with a touchscreen). On each, the
// example panel's gauges lie in the page or in its scrolling panel, never so small
// that their knobs cannot be hit; windows open without shrinking the main panel
// below that, enlarge to the page and show alone at their own address; the
// controls hide; fingers, the wheel and the keys reach the knobs; night darkens the
// page around the gauges. Each size leaves a picture in build/default/screens-*.png.
// Run by hand with PANELHOST, MARLOW_MODULE and PROBE_MODULE set.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  api, blurred, clickGauge, describeSizes, eventually, gaugePoint, gaugeSize, keyLog, misplaced,
  openWorkbench, oversized, pageColours, pauseScenario, pictureSizes, picturesDrawn, picturesFolder,
  screensAndServer, settle, startPanelServer, tapGauge, temporaryDirectory, waitForNewPicture,
  windowFace,
} from './workbench.mjs';

const SIZES = [
  { width: 1400, height: 900 },
  { width: 1024, height: 768 },
  { width: 768, height: 1024, touch: true },
  { width: 390, height: 844, touch: true, mobile: true },
];
const RADIO_STACK = 2;
const COM = 'Becker_AR3202_COM1';
// The HSI is 300 design pixels wide; each of its knobs is split into two halves 24
// wide (the heading knob's increasing half at x 259..283, y 242..290).
const HSI_HALF = 24 / 300;
const HEADING_KNOB = { x: 266, y: 266 };

const session = screensAndServer();

const luminance = ([r, g, b]) => 0.2126 * r + 0.7152 * g + 0.0722 * b;
const headingSteps = async (page) => (await keyLog(page)).filter((row) => row.name === 'HEADING_BUG_SET').length;

for (const size of SIZES) {
  const name = `${size.width}x${size.height}`;
  describe(`at ${name}${size.touch ? ' with a touchscreen' : ''}`, () => {
    const smallest = size.touch ? 24 : 10;
    let context;
    let page;
    let mainComWidth = 0;
    before(async () => {
      await api(session.server.url, 'view', { window: RADIO_STACK, shown: false });
      context = await session.screens.open(size);
      page = await openWorkbench(context, session.server.url);
      await pauseScenario(page, session.server.url);
    });
    after(async () => {
      assert.deepEqual(page.errors, []);
      await context.close();
    });

    const knobHalf = async () => (await gaugeSize(page, 'HSI')).width * HSI_HALF;
    const press = (locator) => (size.touch ? locator.tap() : locator.click());

    test('every gauge lies in the page or its scrolling panel, its knobs large enough to hit', async () => {
      assert.deepEqual(await misplaced(page), { outside: [], overlapping: [] });
      const half = await knobHalf();
      assert.ok(half >= smallest, `the HSI's knob halves are ${half.toFixed(1)} px wide`);
      const viewport = await page.evaluate(() => document.querySelector('meta[name=viewport]').content);
      assert.doesNotMatch(viewport, /user-scalable\s*=\s*no|maximum-scale\s*=\s*1(\.0)?\b/, 'pinch zoom allowed');
    });

    test('opening the radio stack does not shrink the main panel below that', async () => {
      const before = await knobHalf();
      await api(session.server.url, 'view', { window: RADIO_STACK, shown: true });
      await page.locator(`.window[data-window="${RADIO_STACK}"]`).waitFor({ state: 'visible' });
      await settle(page);
      const half = await knobHalf();
      assert.ok(half >= smallest, `with the radio stack open the HSI's knob halves are ${half.toFixed(1)} px (${before.toFixed(1)} before)`);
      assert.deepEqual(await misplaced(page), { outside: [], overlapping: [] });
      mainComWidth = (await gaugeSize(page, COM)).width;
      // Each window's pictures come drawn at the size they are shown (at most a zoom
      // step larger), once the pages of the sizes before have stopped watching: the
      // host draws them for the largest ask of a watching page.
      const sizesOf = async () => (await pictureSizes(page)).filter((size) => ['HSI', COM].includes(size.gauge));
      const atSize = (sizes) => sizes.length === 2 && blurred(sizes).length === 0 && oversized(sizes).length === 0;
      assert.ok(await eventually(async () => atSize(await sizesOf())), describeSizes(await sizesOf()));
      // The COM's frequency windows stay legible: the head at least 60 % of its design size.
      assert.ok(mainComWidth >= 0.6 * 350, `the COM head is ${mainComWidth.toFixed(0)} px wide`);
      await page.mouse.move(1, 1);
      await page.screenshot({ path: path.join(picturesFolder, `screens-${name}.png`) });
    });

    test(size.width < 900 ? 'the controls are a drawer over the panel, closed at first'
                          : 'the controls column hides and comes back', async () => {
      const controls = page.locator('#controls');
      const toggle = page.locator('#controls-toggle');
      const areaWidth = async () => (await page.locator('#panel-area').boundingBox()).width;
      if (size.width < 900) {
        assert.equal(await controls.isVisible(), false, 'closed at first');
        const width = await areaWidth();
        await press(toggle);
        await controls.waitFor({ state: 'visible' });
        assert.equal(await areaWidth(), width, 'over the panel, which keeps its size');
        const drawer = await controls.boundingBox();
        assert.ok(drawer.x >= 0 && drawer.x + drawer.width <= size.width + 0.5, 'inside the screen');
        if (size.touch) {
          // What a finger sets in the toolbar and the drawer is no smaller than the
          // knobs are shown (a checkbox is tapped through its label).
          const small = await page.$$eval('#toolbar :is(button, select, label, input), #controls :is(button, select, label, input)',
            (targets, least) => targets
              .filter((target) => target.checkVisibility() && !(target.type === 'checkbox' && target.closest('label')))
              .map((target) => ({ target, box: target.getBoundingClientRect() }))
              .filter(({ box }) => box.width < least || box.height < least)
              .map(({ target, box }) => `${target.id || target.className || target.tagName} ${box.width.toFixed(0)} x ${box.height.toFixed(0)}`),
            smallest);
          assert.deepEqual(small, [], 'too small for a finger');
        }
        await press(toggle);
        await controls.waitFor({ state: 'hidden' });
      } else {
        // A column, open at first unless the main panel fits only without it.
        const open = size.width >= 1200;
        assert.equal(await controls.isVisible(), open, open ? 'open at first' : 'closed at first');
        const width = await areaWidth();
        await press(toggle);
        await controls.waitFor({ state: open ? 'hidden' : 'visible' });
        const other = await areaWidth();
        assert.ok(Math.abs(other - width) > 300, `the column takes or gives back its room (${width} then ${other} px)`);
        await press(toggle);
        await controls.waitFor({ state: open ? 'visible' : 'hidden' });
        assert.equal(await areaWidth(), width);
      }
    });

    test('a window enlarged fills the page, and goes back', async () => {
      const before = await windowFace(page, 0);
      const button = page.locator('.window[data-window="0"] .window-enlarge');
      await press(button);
      await page.locator('.window[data-window="0"].enlarged').waitFor();
      const cover = await page.locator('.window.enlarged').boundingBox();
      assert.deepEqual([cover.x, cover.y, cover.width, cover.height], [0, 0, size.width, size.height]);
      const face = await windowFace(page, 0);
      const width = face.right - face.left;
      const height = face.bottom - face.top;
      assert.ok(width >= size.width - 3 || height >= size.height - 32,
                `the main panel ${width.toFixed(0)} x ${height.toFixed(0)} fills the page one way`);
      assert.ok(width >= before.right - before.left - 0.5, 'no smaller than before');
      if (size.touch) await press(page.locator('.window.enlarged .window-enlarge'));
      else await page.keyboard.press('Escape');
      await page.waitForFunction(() => !document.querySelector('.window.enlarged'));
      const back = await windowFace(page, 0);
      assert.ok(Math.abs(back.right - back.left - (before.right - before.left)) < 0.5, 'back at its size');
    });

    test('/window/RADIO_STACK_PANEL shows the radio stack alone, larger, opening it in the host', async () => {
      await api(session.server.url, 'view', { window: RADIO_STACK, shown: false });
      await page.locator(`.window[data-window="${RADIO_STACK}"]`).waitFor({ state: 'hidden' });
      const alone = await openWorkbench(context, new URL('window/radio_stack_panel', session.server.url).href);
      try {
        await alone.locator(`canvas.gauge[data-gauge="${COM}"]`).waitFor({ state: 'visible' });
        // Opened in the host: the other page shows it too.
        await page.locator(`.window[data-window="${RADIO_STACK}"]`).waitFor({ state: 'visible' });
        const shown = await alone.$$eval('canvas.gauge', (canvases) =>
          canvases.filter((canvas) => canvas.checkVisibility()).map((canvas) => canvas.dataset.gauge));
        for (const head of [COM, 'Becker_NR3320_NAV1', 'Becker_AD3502_ADF', 'Becker_ATC3401_XPDR']) {
          assert.ok(shown.includes(head), `${head} shown`);
        }
        for (const other of ['HSI', 'Airspeed', 'Magnetic_Compass']) assert.ok(!shown.includes(other), `${other} not shown`);
        assert.equal(await alone.locator('#toolbar').isVisible(), false);
        assert.equal(await alone.locator('#controls').isVisible(), false);
        assert.deepEqual((await misplaced(alone)).outside, []);
        await settle(alone);
        await settle(page);
        const aloneWidth = (await gaugeSize(alone, COM)).width;
        const mainWidth = (await gaugeSize(page, COM)).width;
        if (size.touch) {
          // On a touchscreen the window alone fits the screen's width (a tap among
          // controls too close for a finger magnifies it; phone.test.mjs).
          assert.ok(aloneWidth <= size.width, `${aloneWidth} px alone on a ${size.width} px screen`);
        } else {
          assert.ok(aloneWidth > mainWidth + 20, `${aloneWidth} px alone, ${mainWidth} px among the others`);
        }
        // The corner button brings back the toolbar.
        await press(alone.locator('#menu-toggle'));
        await alone.locator('#toolbar').waitFor({ state: 'visible' });
        await press(alone.locator('#menu-toggle'));
        await alone.locator('#toolbar').waitFor({ state: 'hidden' });
        if (name === '1024x768') {
          await alone.mouse.move(1, 1);
          await alone.screenshot({ path: path.join(picturesFolder, 'screens-window-alone.png') });
        }

        // A tap on the COM's ON button on the one page: both pages show the head anew.
        const drawn = await picturesDrawn(alone, COM);
        const mainDrawn = await picturesDrawn(page, COM);
        if (size.touch) await tapGauge(alone, COM, 100, 85);
        else await clickGauge(alone, COM, 100, 85);
        await waitForNewPicture(alone, COM, drawn);
        await waitForNewPicture(page, COM, mainDrawn);
        assert.deepEqual(alone.errors, []);
      } finally {
        await alone.close();
      }
    });

    test('the wheel over the HSI heading knob turns the bug, without scrolling the page', async () => {
      await page.locator('canvas.gauge[data-gauge="HSI"]').scrollIntoViewIfNeeded();
      const point = await gaugePoint(page, 'HSI', HEADING_KNOB.x, HEADING_KNOB.y);
      await page.mouse.move(point.x, point.y);
      const scrolled = () => page.locator('#panel-area').evaluate((area) => [area.scrollLeft, area.scrollTop]);
      const where = await scrolled();
      const steps = await headingSteps(page);
      await page.mouse.wheel(0, -100);
      await page.waitForFunction((count) =>
        [...document.querySelectorAll('#key-log tbody tr')].filter((row) => row.cells[1].textContent === 'HEADING_BUG_SET').length > count, steps);
      await page.mouse.wheel(0, 100);
      await page.waitForFunction((count) =>
        [...document.querySelectorAll('#key-log tbody tr')].filter((row) => row.cells[1].textContent === 'HEADING_BUG_SET').length > count + 1, steps);
      assert.deepEqual(await scrolled(), where, 'the panel did not scroll');
    });

    test('arrow keys on a focused HSI turn the bug too, and Space then does not play', async () => {
      await page.locator('#play').focus();
      await clickGauge(page, 'HSI', 150, 150);   // the face: no knob there
      assert.equal(await page.evaluate(() => document.activeElement.dataset.gauge), 'HSI');
      const focusRing = await page.locator('canvas.gauge[data-gauge="HSI"]').evaluate((canvas) => getComputedStyle(canvas).outlineStyle);
      assert.notEqual(focusRing, 'none', 'the focused gauge shows it');
      // The keys turn the knob the pointer was last over.
      const knob = await gaugePoint(page, 'HSI', HEADING_KNOB.x, HEADING_KNOB.y);
      await page.mouse.move(knob.x, knob.y);
      const steps = await headingSteps(page);
      await page.keyboard.press('ArrowUp');
      await page.keyboard.press('ArrowDown');
      await page.waitForFunction((count) =>
        [...document.querySelectorAll('#key-log tbody tr')].filter((row) => row.cells[1].textContent === 'HEADING_BUG_SET').length >= count + 2, steps);
      await page.keyboard.press(' ');
      await page.waitForTimeout(600);
      assert.equal(await page.locator('#play').textContent(), 'Play', 'still paused');
    });

    if (size.mobile) {
      test('a long press is a right click, a tap a left one, and a finger on a gauge\'s face scrolls', async () => {
        const presses = [];
        const listener = (request) => {
          if (request.url().endsWith('/api/mouse')) presses.push(request.postDataJSON());
        };
        page.on('request', listener);
        const cdp = await context.newCDPSession(page);
        const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
        await page.locator('canvas.gauge[data-gauge="HSI"]').scrollIntoViewIfNeeded();
        const knob = await gaugePoint(page, 'HSI', HEADING_KNOB.x, HEADING_KNOB.y);
        await touch('touchStart', [{ x: knob.x, y: knob.y }]);
        await page.waitForTimeout(800);
        await touch('touchEnd', []);
        await tapGauge(page, 'HSI', HEADING_KNOB.x, HEADING_KNOB.y);
        await page.waitForTimeout(300);
        const sent = presses.filter((body) => body.action === 'press').map((body) => body.button);
        assert.deepEqual(sent, ['right', 'left']);
        assert.equal(presses.filter((body) => body.action === 'release').length, 2);

        const area = page.locator('#panel-area');
        const before = await area.evaluate((element) => element.scrollTop);
        const face = await gaugePoint(page, 'HSI', 150, 120);
        await touch('touchStart', [{ x: face.x, y: face.y }]);
        for (let step = 1; step <= 5; step += 1) await touch('touchMove', [{ x: face.x, y: face.y - 20 * step }]);
        await touch('touchEnd', []);
        assert.ok(await area.evaluate((element) => element.scrollTop) >= before + 50, 'the panel scrolled');
        assert.equal(presses.filter((body) => body.action === 'press').length, 2, 'and nothing was pressed');
        page.off('request', listener);
        await cdp.detach();
      });
    }

    test('the night switch darkens the toolbar but not the gauges', async () => {
      const bar = await page.locator('#toolbar').boundingBox();
      await page.locator('canvas.gauge[data-gauge="HSI"]').scrollIntoViewIfNeeded();
      await page.mouse.move(1, size.height - 1);
      await settle(page);
      const gauge = await gaugePoint(page, 'HSI', 150, 60);
      const points = [{ x: bar.x + 3, y: bar.y + 2 }, gauge];
      const [day, gaugeByDay] = await pageColours(page, points);
      await press(page.locator('label:has(#night)'));
      await page.waitForFunction(() => document.body.classList.contains('night'));
      const [night, gaugeByNight] = await pageColours(page, points);
      assert.ok(luminance(night) < luminance(day) * 0.7, `toolbar ${day} by day, ${night} at night`);
      assert.deepEqual(gaugeByNight, gaugeByDay, 'the gauge keeps its light');
      await press(page.locator('label:has(#night)'));
      await page.waitForFunction(() => !document.body.classList.contains('night'));
    });
  });
}

describe('the toolbar and the problems at 1024x768', () => {
  const folder = temporaryDirectory('screens-panel-');
  const panelFile = path.join(folder, 'panel.cfg');
  const panel = `[Window00]
size_mm=400,200
gauge00=Marlow_Instr!Airspeed, 0, 0, 200
gauge01=Marlow_Instr!No_Such_Gauge, 220, 0, 100
`;
  let other;
  let context;
  let page;
  before(async () => {
    other = await startPanelServer(panelFile, panel, path.dirname(process.env.MARLOW_MODULE));
    context = await session.screens.open({ width: 1024, height: 768 });
    page = await openWorkbench(context, other.url);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    await context.close();
    assert.equal(await other.stop(), 0, other.errors());
    fs.rmSync(folder, { recursive: true, force: true });
  });

  test('the problems lie over the panel until closed, and come back when they change', async () => {
    await page.waitForSelector('#problems:not([hidden])');
    const area = await page.locator('#panel-area').boundingBox();
    const face = await windowFace(page, 0);
    assert.ok(Math.abs(face.top - (area.y + 12 + 18)) < 1.5, 'the window keeps its place under the problems');
    await page.locator('#problems-close').click();
    await page.locator('#problems').waitFor({ state: 'hidden' });
    assert.deepEqual(await windowFace(page, 0), face, 'nor moves when they go');
    const layout = await page.evaluate(() => window.workbench.layout.layout);
    fs.writeFileSync(panelFile, `${panel}gauge02=Marlow_Instr!Nor_This_One, 0, 100, 100\n`);
    await page.waitForFunction((old) => window.workbench.layout.layout > old, layout);
    await page.locator('#problems').waitFor({ state: 'visible' });
    assert.match(await page.locator('#problem-list').textContent(), /Nor_This_One/);
  });

  test('a window\'s address names it by its ident, any case, or its number', async () => {
    const found = await page.evaluate(async () => {
      const { findWindow } = await import('/panel_view.js');
      const windows = [
        { ident: 0, section: 'Window00', title: 'Main panel' },
        { ident: 75, section: 'Window01', title: 'Compass' },
        { ident: 50, section: 'Window02', title: 'Radio stack' },
        { ident: 30, section: 'Window03', title: 'Engine instruments' },
      ];
      return ['RADIO_STACK_PANEL', 'radio_stack_panel', '1', '30', 'window03', 'Radio stack', 'GPS_PANEL', 'nothing']
        .map((name) => findWindow(windows, name));
    });
    assert.deepEqual(found, [2, 2, 1, 3, 3, 2, -1, -1]);
  });

  test('a long message on the connection line does not re-wrap the toolbar', async () => {
    const height = async () => (await page.locator('#toolbar').boundingBox()).height;
    const before = await height();
    const line = page.locator('#connection');
    const width = (await line.boundingBox()).width;
    await line.evaluate((element) => {
      element.textContent = 'host not reachable: a very long message about why the host cannot be reached at all';
    });
    assert.equal(await height(), before);
    assert.equal((await line.boundingBox()).width, width);
  });
});
